#pragma once
// Phonetic guides of an answer workbook's cells:
//
//   phonetic | A1 | 하반기 매출 | shown     guides the whole text of A1 and shows the guide
//                                          (without "shown" the guide is kept hidden)

#include <string>
#include <vector>

#include "spreadsheet/automation/worksheet.h"

namespace tabrel::answers {

// Applies a `phonetic` statement to `sheet`; false for any other verb. Throws SourceError
// naming `line` for fields that do not read.
bool apply_phonetic_statement(int line, const std::vector<std::u16string>& fields, xl::Worksheet& sheet);

}  // namespace tabrel::answers
