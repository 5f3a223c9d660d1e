#pragma once
// The `button`, `shape` and `comment` statements of an answer-workbook source (syntax in
// answer_source.h): form buttons and autoshapes with their text and assigned macro, and cell
// comments, on the current sheet.

#include <string>
#include <vector>

#include "spreadsheet/automation/worksheet.h"

namespace tabrel::answers {

// `fields[0]` is the verb. Throws SourceError naming `line` for a statement that does not read.
void apply_drawing(int line, const std::vector<std::u16string>& fields, xl::Worksheet& sheet);

}  // namespace tabrel::answers
