#include "pivot_statements.h"

#include "answer_source.h"
#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/pivot_tables.h"
#include "spreadsheet/automation/range_address.h"
#include "spreadsheet/core/text.h"

namespace tabrel::answers {
namespace {

int summary_function(int line, const std::u16string& word) {
  if (word == u"sum") return -4157;
  if (word == u"count") return -4112;
  if (word == u"average") return -4106;
  fail(line, "unknown summary function " + to_utf8(word));
}

}  // namespace

bool apply_pivot_statement(int line, const std::vector<std::u16string>& fields, xl::Workbook& book,
                           xl::Worksheet& sheet) {
  if (fields.empty() || fields[0] != u"pivot") return false;
  if (fields.size() < 2) fail(line, "field 1 missing");
  const auto at = xl::parse_range_address(fields[1]);
  if (!at) fail(line, "not a cell: " + to_utf8(fields[1]));

  xl::PivotTableChoice choice;
  std::shared_ptr<xl::Worksheet> source_sheet;
  std::optional<model::RangeRef> source;
  for (size_t i = 2; i < fields.size(); ++i) {
    const std::u16string& f = fields[i];
    const size_t eq = f.find(u'=');
    if (eq == std::u16string::npos) fail(line, "not key=value: " + to_utf8(f));
    const std::u16string key = f.substr(0, eq), value = f.substr(eq + 1);
    if (key == u"source") {
      const size_t bang = value.rfind(u'!');
      if (bang == std::u16string::npos) fail(line, "the source needs its sheet: " + to_utf8(value));
      source_sheet = book.Worksheets(Variant(value.substr(0, bang)));
      source = xl::parse_range_address(value.substr(bang + 1));
      if (!source) fail(line, "not a range: " + to_utf8(value));
    } else if (key == u"page") {
      choice.pages.push_back(value);
    } else if (key == u"row") {
      choice.rows.push_back(value);
    } else if (key == u"column") {
      choice.columns.push_back(value);
    } else if (key == u"data") {
      const size_t colon = value.find(u':');
      if (colon == std::u16string::npos) fail(line, "data needs function:field: " + to_utf8(value));
      choice.data.push_back({value.substr(colon + 1), summary_function(line, value.substr(0, colon)), u"", u""});
    } else if (key == u"caption" || key == u"format") {
      if (choice.data.empty()) fail(line, to_utf8(key) + " before any data field");
      (key == u"caption" ? choice.data.back().caption : choice.data.back().number_format) = value;
    } else if (key == u"name") {
      choice.name = value;
    } else {
      fail(line, "unknown pivot field " + to_utf8(key));
    }
  }
  if (!source) fail(line, "no source range");
  if (choice.name.empty()) choice.name = u"피벗 테이블1";
  xl::calculate_full(*book.book());  // the source's formulas show their results in the cache
  xl::add_pivot_table(sheet.handle(), at->first, source_sheet->handle(), *source, choice);
  return true;
}

}  // namespace tabrel::answers
