#include "autoformat_statements.h"

#include <charconv>

#include "answer_source.h"
#include "spreadsheet/automation/auto_format.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/core/text.h"

namespace tabrel::answers {

bool apply_autoformat_statement(int line, const std::vector<std::u16string>& fields, xl::Worksheet& sheet) {
  if (fields.empty() || fields[0] != u"autoformat") return false;
  int format = 0;
  const std::string number = fields.size() == 3 ? to_utf8(fields[2]) : std::string();
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), format);
  if (number.empty() || ec != std::errc() || end != number.data() + number.size())
    throw SourceError("line " + std::to_string(line) + ": autoformat | range | format number");
  xl::AutoFormat(*sheet.Range(Variant(fields[1])), static_cast<xl::TableFormat>(format));
  return true;
}

}  // namespace tabrel::answers
