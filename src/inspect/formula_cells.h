#pragma once
// Formula and function-usage checks of a range, and the test that a range of the target shows
// nothing.

#include <string>
#include <string_view>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// The cells whose contents (R1C1 formula or constant, "총 합계" taken as "총합계") differ; formula
// cells are compared only on the workbook's first sheet or when the answer's formula holds
// "TABLE". `skipBoldAnswer` spares cells whose answer cell is bold or mixed.
std::u16string GetWrongFormulaCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                                    bool skipBoldAnswer);

// Every target cell of the range shows nothing but spaces.
bool IsTargetRangeEmpty(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell);

// The cells that lack a formula, lack one of the ";"-separated `functions` (a name is sought
// with "(" after it, a one-character or numeric token by itself, letter case ignored), or show
// another text than the answer. A failing call of the automation layer is raised to the caller.
std::u16string GetWrongFunctionCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                                     std::u16string_view functions);

// The cells that lack a formula, use none of the `functions` (each sought with "(" after it,
// letter case kept), or show another text than the answer.
std::u16string GetWrongAnyFunctionCells(ExcelObjects& objects, std::u16string_view startCell,
                                        std::u16string_view endCell, std::u16string_view functions);

}  // namespace tabrel::inspect
