#pragma once
// Running the examinee's macros for a check: the ranges a macro fills are emptied or stripped
// of their formats first, so that only the macro's own work shows afterwards.

#include <cstdint>
#include <string_view>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// Runs a macro by name in AnswerExcel when `which` is 1, else in TargetExcel after the target's
// macro code is freed of references to other workbooks (RemoveWorkbookRefsFromMacros with
// ".xls]"); the instance first selects the sheet at the position of the problem sheet. True
// when the macro ran without an error; false when it is missing or fails, whatever it did
// before failing staying in the workbook.
bool RunWorkbookMacro(ExcelObjects& objects, std::u16string_view macroName, int16_t which);

// Empties startCell:endCell on AnswerSheet when `which` is 1, on TargetSheet otherwise.
// Failures are ignored.
void ClearRangeContents(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                        int16_t which);

// Prepares a macro check, each step skipped when it fails: activates the target sheet's cells,
// gives the target the answer's widths of columns A to I, clears the formats of
// startCell:endCell on both sheets and the outline of the target's range.
void ResetRangeForMacro(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell);

}  // namespace tabrel::inspect
