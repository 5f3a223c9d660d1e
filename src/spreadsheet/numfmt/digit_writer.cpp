#include "spreadsheet/numfmt/digit_writer.h"

namespace tabrel::numfmt {

void DigitWriter::put(char c, long position, Output& out) {
  out.append(static_cast<char16_t>(c));
  if (grouping_ && position > 0 && position % 3 == 0 && c != ' ') out.append(u',');
}

void DigitWriter::write(char16_t kind, Output& out) {
  const long len = static_cast<long>(digits_.size());
  const long position = count_ - 1 - written_;
  if (written_ == 0)
    for (long i = 0; i < len - count_; ++i) put(digits_[static_cast<size_t>(i)], len - 1 - i, out);
  ++written_;
  if (position < len) put(digits_[static_cast<size_t>(len - 1 - position)], position, out);
  else if (kind == u'0') put('0', position, out);
  else if (kind == u'?') put(' ', position, out);
}

void DigitWriter::write_all(Output& out) {
  const long len = static_cast<long>(digits_.size());
  for (long i = 0; i < len; ++i) put(digits_[static_cast<size_t>(i)], len - 1 - i, out);
}

}  // namespace tabrel::numfmt
