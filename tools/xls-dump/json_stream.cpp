#include "json_stream.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>

#include "json_text.h"

namespace tabrel::json {

namespace {

constexpr size_t kPiece = size_t{1} << 16;

}  // namespace

StreamWriter::StreamWriter(std::ostream& out)
    : out_(out), buffer_(std::make_unique_for_overwrite<char[]>(2 * kPiece)), capacity_(2 * kPiece), inline_from_(INT_MAX) {}

char* StreamWriter::room(size_t size) {
  if (capacity_ - used_ < size) {
    flush();
    if (capacity_ < size) {
      buffer_ = std::make_unique_for_overwrite<char[]>(size);
      capacity_ = size;
    }
  }
  return buffer_.get() + used_;
}

void StreamWriter::wrote_up_to(char* end) { used_ = static_cast<size_t>(end - buffer_.get()); }

void StreamWriter::put(std::string_view text) {
  char* at = room(text.size());
  std::memcpy(at, text.data(), text.size());
  wrote_up_to(at + text.size());
}

void StreamWriter::put_char(char ch) {
  char* at = room(1);
  *at = ch;
  wrote_up_to(at + 1);
}

void StreamWriter::start_item() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (has_items_.empty()) return;
  const bool first = !has_items_.back();
  has_items_.back() = true;
  if (in_line()) {
    if (!first) put_char(',');
    return;
  }
  char* at = room(2 + has_items_.size());
  if (!first) *at++ = ',';
  *at++ = '\n';
  at = std::fill_n(at, has_items_.size(), ' ');
  wrote_up_to(at);
}

void StreamWriter::key(std::string_view name) {
  start_item();
  char* at = put_string(room(max_string_bytes(name.size()) + 2), name);
  *at++ = ':';
  if (!in_line()) *at++ = ' ';
  wrote_up_to(at);
  after_key_ = true;
}

void StreamWriter::value(const Value& v, Layout layout) {
  start_item();
  put(write(v, !in_line() && layout == Layout::Indented, depth()));
  flush_when_full();
}

void StreamWriter::string(std::string_view utf8) {
  start_item();
  wrote_up_to(put_string(room(max_string_bytes(utf8.size())), utf8));
  flush_when_full();
}

void StreamWriter::string(std::u16string_view utf16) {
  start_item();
  wrote_up_to(put_string(room(max_string_bytes(utf16.size())), utf16));
  flush_when_full();
}

void StreamWriter::number(double d) {
  start_item();
  if (std::bit_cast<uint64_t>(d) != std::bit_cast<uint64_t>(last_number_)) {
    char text[kMaxNumberBytes];
    last_number_text_.assign(text, put_number(text, d));
    last_number_ = d;
  }
  put(last_number_text_);
  flush_when_full();
}

void StreamWriter::boolean(bool b) {
  start_item();
  put(b ? "true" : "false");
  flush_when_full();
}

void StreamWriter::open(char bracket, Layout layout) {
  start_item();
  put_char(bracket);
  if (layout == Layout::Inline) inline_from_ = std::min(inline_from_, depth());
  has_items_.push_back(false);
}

void StreamWriter::close(char bracket) {
  const bool items = has_items_.back();
  const bool was_in_line = in_line();
  has_items_.pop_back();
  if (items && !was_in_line) {
    char* at = room(1 + has_items_.size());
    *at++ = '\n';
    wrote_up_to(std::fill_n(at, has_items_.size(), ' '));
  }
  put_char(bracket);
  if (depth() == inline_from_) inline_from_ = INT_MAX;
  if (has_items_.empty()) flush();
  else flush_when_full();
}

void StreamWriter::flush_when_full() {
  if (used_ >= kPiece) flush();
}

void StreamWriter::flush() {
  out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
  used_ = 0;
}

}  // namespace tabrel::json
