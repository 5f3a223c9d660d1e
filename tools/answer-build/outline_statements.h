#pragma once
// Row outlines of an answer workbook, as subtotals leave them:
//
//   outline | 5:9 | 2          rows 5 to 9 at outline level 2 (1 a row grouped once)

#include <string>
#include <vector>

#include "spreadsheet/automation/worksheet.h"

namespace tabrel::answers {

// Applies an `outline` statement to `sheet`; false for any other verb. Throws SourceError
// naming `line` for fields that do not read.
bool apply_outline_statement(int line, const std::vector<std::u16string>& fields, xl::Worksheet& sheet);

}  // namespace tabrel::answers
