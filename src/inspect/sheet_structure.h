#pragma once
// The check that the target workbook has the answer's sheets: their number, and their names in
// order. Sheets are addressed by position in each instance's Sheets collection (from 1).

#include <cstdint>
#include <string_view>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// True when the target's structure is wrong. First deletes the target's hidden sheets; then,
// when the counts differ, puts a blank worksheet of the answer sheet's name before each target
// sheet that stands where the answer has a scenario summary, the sheet named `extraName`, or a
// sheet that is not a worksheet; then compares the counts and the names in order, leaving out
// sheets whose names hold "시나리오" or "차트" or equal `extraName`. Any failure gives true.
bool NormalizeTargetSheets(ExcelObjects& objects, int16_t sheetCount, std::u16string_view extraName);

// The first answer sheet at or after `start` that takes part in the ordered name comparison;
// the answer's sheet count plus 1 when there is none.
int16_t FindNextAnswerSheet(ExcelObjects& objects, int16_t start, std::u16string_view extraName);

// The same among the target's sheets; 0 when there is none.
int16_t FindNextTargetSheet(ExcelObjects& objects, int16_t start, std::u16string_view extraName);

// True when the sheets at `position` of both workbooks have equal trimmed chart-area names and
// equal trimmed sheet names. A worksheet has no chart area, so a worksheet on either side, like
// any other failure, gives false.
bool IsChartSheetCorrect(ExcelObjects& objects, int16_t position);

}  // namespace tabrel::inspect
