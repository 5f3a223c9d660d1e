#pragma once
// Displayed-text comparison of a range, and the count of answer cells that show text.

#include <cstdint>
#include <string>
#include <string_view>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// The cells whose displayed texts differ, with "총 합계" taken as "총합계". A non-zero
// `ignoreSpaces` compares the texts without any blank and spares cells where either side holds
// the number 0; `skipBoldAnswer` never lists a cell whose answer cell is bold (or mixed).
std::u16string GetWrongTextCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                                 int16_t ignoreSpaces, bool skipBoldAnswer);

// How many answer cells of the range show text other than blanks.
float CountAnswerFilledCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell);

}  // namespace tabrel::inspect
