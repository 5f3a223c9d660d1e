#include "outline_statements.h"

#include <charconv>

#include "answer_source.h"
#include "spreadsheet/core/text.h"

namespace tabrel::answers {
namespace {

constexpr int kMaxLevel = 7;
constexpr int kRows = 65536;

bool read_int(const std::string& text, int& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool apply_outline_statement(int line, const std::vector<std::u16string>& fields, xl::Worksheet& sheet) {
  if (fields.empty() || fields[0] != u"outline") return false;
  const auto wrong = [&] { return SourceError("line " + std::to_string(line) + ": outline | first:last | level"); };
  if (fields.size() != 3) throw wrong();
  const std::string rows = to_utf8(fields[1]);
  const size_t colon = rows.find(':');
  int first = 0, last = 0, level = 0;
  if (colon == std::string::npos || !read_int(rows.substr(0, colon), first) || !read_int(rows.substr(colon + 1), last) ||
      !read_int(to_utf8(fields[2]), level) || first < 1 || last < first || last > kRows || level < 0 || level > kMaxLevel)
    throw wrong();
  model::Sheet& target = sheet.handle().get();
  for (int row = first - 1; row < last; ++row) {
    auto [at, added] = target.rows.try_emplace(row);
    if (added) at->second.height = target.default_row_height;
    at->second.outline_level = static_cast<uint8_t>(level);
  }
  return true;
}

}  // namespace tabrel::answers
