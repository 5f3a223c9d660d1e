#include "spreadsheet/automation/code_module.h"

#include <algorithm>

#include "spreadsheet/automation/code_lines.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/vbe.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

constexpr int32_t kToTheEnd = -1;

bool is_word_char(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_' || c >= 0x80;
}

bool whole_word_at(std::u16string_view line, size_t pos, size_t length) {
  const bool before = pos > 0 && is_word_char(line[pos - 1]);
  const bool after = pos + length < line.size() && is_word_char(line[pos + length]);
  return !before && !after;
}

}  // namespace

CodeModule::CodeModule(std::shared_ptr<Application> app, std::shared_ptr<Book> book, std::u16string module)
    : app_(std::move(app)), book_(std::move(book)), module_(std::move(module)) {}

int32_t CodeModule::CountOfLines() const {
  return static_cast<int32_t>(CodeLines(open_module(*app_, *book_, module_).source).count());
}

std::u16string CodeModule::Lines(int32_t start, int32_t count) const {
  const CodeLines code(open_module(*app_, *book_, module_).source);
  if (count < 0) raise(Fault::InvalidArgument);
  if (count == 0) return {};
  if (start < 1 || static_cast<size_t>(start) > code.count()) raise(Fault::SubscriptOutOfRange);
  const size_t last = std::min(code.count(), static_cast<size_t>(start) + static_cast<size_t>(count) - 1);
  std::u16string out;
  for (size_t n = static_cast<size_t>(start); n <= last; ++n) {
    if (n > static_cast<size_t>(start)) out += u"\r\n";
    out += code.line(n);
  }
  return out;
}

bool CodeModule::Find(const std::u16string& target, int32_t& start_line, int32_t& start_column, int32_t& end_line,
                      int32_t& end_column, bool whole_word, bool match_case, bool pattern_search) const {
  const CodeLines code(open_module(*app_, *book_, module_).source);
  if (pattern_search) raise(match_case ? Fault::InvalidArgument : Fault::NoSuchMember);
  if (target.empty()) return false;
  const int64_t lines = static_cast<int64_t>(code.count());
  const bool column_limited = end_line != kToTheEnd && end_line <= lines && end_column != kToTheEnd;
  const int64_t last = end_line == kToTheEnd ? lines : std::min<int64_t>(end_line, lines);
  const std::u16string key = match_case ? target : lower(target);
  for (int64_t n = std::max<int64_t>(start_line, 1); n <= last; ++n) {
    const std::u16string text = match_case ? std::u16string(code.line(static_cast<size_t>(n))) : lower(code.line(static_cast<size_t>(n)));
    const int64_t first_column = n == start_line ? std::max<int64_t>(start_column, 1) : 1;
    // The region's end on this line, as the column just after the last character it takes.
    const int64_t end = column_limited && n == end_line ? static_cast<int64_t>(end_column) : INT64_MAX;
    for (size_t pos = text.find(key, static_cast<size_t>(first_column - 1)); pos != std::u16string::npos;
         pos = text.find(key, pos + 1)) {
      const int64_t match_end = static_cast<int64_t>(pos + key.size()) + 1;
      if (match_end > end) break;
      if (whole_word && !whole_word_at(text, pos, key.size())) continue;
      start_line = end_line = static_cast<int32_t>(n);
      start_column = static_cast<int32_t>(pos + 1);
      end_column = static_cast<int32_t>(match_end);
      return true;
    }
  }
  return false;
}

void CodeModule::ReplaceLine(int32_t line, const std::u16string& text) {
  model::MacroModule& module = open_module(*app_, *book_, module_);
  CodeLines code(module.source);
  if (line < 1 || static_cast<size_t>(line) > code.count()) raise(Fault::SubscriptOutOfRange);
  code.replace(static_cast<size_t>(line), text);
  module.source = code.source();
}

}  // namespace tabrel::xl
