#pragma once
// Conditional-format comparisons of a range: the number of conditions of each cell and, for
// condition `conditionIndex` (counted from 1), its rule or one part of its format.

#include <cstdint>
#include <string>
#include <string_view>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// Bold, italic and fill of the condition; a part the condition leaves unset never lists a cell.
std::u16string GetWrongCondBoldCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                                     int16_t conditionIndex);
std::u16string GetWrongCondItalicCells(ExcelObjects& objects, std::u16string_view startCell,
                                       std::u16string_view endCell, int16_t conditionIndex);
std::u16string GetWrongCondFillColorCells(ExcelObjects& objects, std::u16string_view startCell,
                                          std::u16string_view endCell, int16_t conditionIndex);

// Font colour of the condition, over the range widened one column left and one row up; an
// unset colour lists the cell.
std::u16string GetWrongCondFontColorCells(ExcelObjects& objects, std::u16string_view startCell,
                                          std::u16string_view endCell, int16_t conditionIndex);

// Only the number of conditions of each cell.
std::u16string GetWrongCondCountCells(ExcelObjects& objects, std::u16string_view startCell,
                                      std::u16string_view endCell);

// Type, first formula ("$" ignored), operator and second bound of the condition, over the range
// widened one column left, one column right and one row down. `endCell` in column Z is rejected
// (RangeArgumentError).
std::u16string GetWrongCondRuleCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                                     int16_t conditionIndex);

// The target condition's first formula contains `formulaText` (letter case kept); the answer's
// formula is not read.
std::u16string GetWrongConditionalFormatCells(ExcelObjects& objects, std::u16string_view startCell,
                                              std::u16string_view endCell, int16_t conditionIndex,
                                              std::u16string_view formulaText);

}  // namespace tabrel::inspect
