#pragma once
// Scenarios of an answer workbook, as the scenario manager stores them on the sheet (the summary
// sheet itself is ordinary cells):
//
//   scenario | C3:C4 | 인상 | 0.05 | 1000 | comment=작성자 홍길동
//
// the changing cells, the scenario's name, one value per changing cell (row by row), and an
// optional comment.

#include <string>
#include <vector>

#include "spreadsheet/automation/worksheet.h"

namespace tabrel::answers {

// Applies a `scenario` statement to `sheet`; false for any other verb. Throws SourceError naming
// `line` for fields that do not read.
bool apply_scenario_statement(int line, const std::vector<std::u16string>& fields, xl::Worksheet& sheet);

}  // namespace tabrel::answers
