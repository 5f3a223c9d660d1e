#pragma once
// Table formats of an answer workbook, laid as the auto-format command lays them:
//
//   autoformat | B3:G14 | 2                 the table format of that number (xlRangeAutoFormat),
//                                           every part of it

#include <string>
#include <vector>

#include "spreadsheet/automation/worksheet.h"

namespace tabrel::answers {

// Applies an `autoformat` statement to `sheet`; false for any other verb. Throws SourceError
// naming `line` for fields that do not read.
bool apply_autoformat_statement(int line, const std::vector<std::u16string>& fields, xl::Worksheet& sheet);

}  // namespace tabrel::answers
