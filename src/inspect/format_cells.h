#pragma once
// Font, fill, number-format and phonetic comparisons of a range, each a CellList of the cells
// whose property differs between the answer and the target.

#include <string>
#include <string_view>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

std::u16string GetWrongFontNameCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell);
std::u16string GetWrongFontSizeCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell);
std::u16string GetWrongBoldCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell);
std::u16string GetWrongItalicCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell);
std::u16string GetWrongUnderlineCells(ExcelObjects& objects, std::u16string_view startCell,
                                      std::u16string_view endCell);
std::u16string GetWrongFontColorCells(ExcelObjects& objects, std::u16string_view startCell,
                                      std::u16string_view endCell);
std::u16string GetWrongFillColorCells(ExcelObjects& objects, std::u16string_view startCell,
                                      std::u16string_view endCell);
std::u16string GetWrongNumberFormatCells(ExcelObjects& objects, std::u16string_view startCell,
                                         std::u16string_view endCell);
// Item 1 of the cell's phonetic guides, compared exactly; a cell without a guide is listed.
std::u16string GetWrongPhoneticTextCells(ExcelObjects& objects, std::u16string_view startCell,
                                         std::u16string_view endCell);
std::u16string GetWrongPhoneticVisibleCells(ExcelObjects& objects, std::u16string_view startCell,
                                            std::u16string_view endCell);

// The cells whose target number format does not contain `pattern` (letter case ignored), or
// whose fill or font colour differs from the answer's.
std::u16string GetWrongCustomFormatCells(ExcelObjects& objects, std::u16string_view startCell,
                                         std::u16string_view endCell, std::u16string_view pattern);

}  // namespace tabrel::inspect
