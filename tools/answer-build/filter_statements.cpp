#include "filter_statements.h"

#include <array>

#include "answer_source.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"

namespace tabrel::answers {
namespace {

constexpr uint16_t kHiddenName = 0x0001;
constexpr uint16_t kBuiltinName = 0x0020;

struct BuiltinName {
  const char16_t* text;
  uint8_t code;
  uint16_t flags;
};
// In the order of the statement's fields.
constexpr std::array<BuiltinName, 3> kFilterNames{{
    {u"_FilterDatabase", 0x0D, kHiddenName | kBuiltinName},
    {u"Criteria", 0x05, kBuiltinName},
    {u"Extract", 0x03, kBuiltinName},
}};

// The reference of `range` on `sheet`, quoted for any sheet name.
std::u16string absolute_reference(const xl::Worksheet& sheet, const std::u16string& range) {
  std::u16string absolute;
  for (const char16_t c : range) {
    const bool starts_part = absolute.empty() || absolute.back() == u':';
    if (starts_part && c >= u'A' && c <= u'Z') absolute += u'$';
    if (c >= u'0' && c <= u'9' && !absolute.empty() && absolute.back() >= u'A' && absolute.back() <= u'Z')
      absolute += u'$';
    absolute += c;
  }
  return u"='" + sheet.Name() + u"'!" + absolute;
}

}  // namespace

bool apply_filter_statement(int line, const std::vector<std::u16string>& fields, xl::Workbook& book,
                            xl::Worksheet& sheet) {
  if (fields.empty() || fields[0] != u"filter-names") return false;
  if (fields.size() != 1 + kFilterNames.size())
    throw SourceError("line " + std::to_string(line) + ": filter-names | list | criteria | copy-to");
  const auto scope = static_cast<uint16_t>(sheet.Index());
  for (size_t i = 0; i < kFilterNames.size(); ++i) {
    // The automation layer makes the reference's tokens under a workbook name, which then
    // becomes the sheet's built-in name.
    const std::u16string made = u"filter_name_" + std::u16string(1, static_cast<char16_t>(u'0' + i));
    try {
      book.Names()->Add(made, absolute_reference(sheet, fields[i + 1]));
    } catch (const AutomationError&) {
      throw SourceError("line " + std::to_string(line) + ": not a range: " + to_utf8(fields[i + 1]));
    }
    for (model::DefinedName& name : book.model().names) {
      if (name.sheet_scope != 0 || name.name != made) continue;
      name.name = kFilterNames[i].text;
      name.builtin = true;
      name.builtin_code = kFilterNames[i].code;
      name.flags = kFilterNames[i].flags;
      name.sheet_scope = scope;
    }
  }
  return true;
}

}  // namespace tabrel::answers
