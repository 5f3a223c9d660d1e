#include "scenario_statements.h"

#include <utility>

#include "answer_source.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/scenarios.h"
#include "spreadsheet/core/text.h"

namespace tabrel::answers {

bool apply_scenario_statement(int line, const std::vector<std::u16string>& fields, xl::Worksheet& sheet) {
  if (fields.empty() || fields[0] != u"scenario") return false;
  if (fields.size() < 4) throw SourceError("line " + std::to_string(line) + ": a scenario needs cells, a name and values");
  std::u16string comment;
  size_t end = fields.size();
  if (fields.back().rfind(u"comment=", 0) == 0) {
    comment = fields.back().substr(8);
    --end;
  }
  VariantArray values;
  for (size_t i = 3; i < end; ++i) values.items.push_back(Variant(fields[i]));
  values.lower = {0};
  values.extent = {static_cast<int32_t>(values.items.size())};
  const auto cells = sheet.Range(Variant(fields[1]));
  xl::Scenarios(sheet.handle())
      .Add(Variant(fields[2]), *cells, Variant::array(std::move(values)), comment.empty() ? Variant() : Variant(comment), Variant(), Variant());
  return true;
}

}  // namespace tabrel::answers
