#pragma once
// The embedded chart object as an object on the sheet: the target sheet's layout made like the
// answer's before an object is activated (which doubles as the test that it exists), and the
// object's size, position and frame compared with the answer's, in points.

#include <cstdint>
#include <string>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// Activates A1 of TargetSheet (a failure is ignored), gives the target sheet the answer's
// widths of columns A to I and heights of rows 1 to 50, then activates the target's chart object
// `objIdx` (`isShape` 0) or selects shape `objIdx` of the answer sheet and then of the target
// sheet. False when all of it worked; true at the first failure, what was copied staying copied.
bool AlignLayoutAndActivateObject(ExcelObjects& objects, int16_t objIdx, int16_t isShape);

// The target chart object's width within [answer - 30, answer + 30) and its height within
// [answer - 30, answer + 30] points. The two cells are not read.
bool CompareChartSize(ExcelObjects& objects, const std::u16string& startCell, const std::u16string& endCell,
                      int16_t chartIdx);
// Left within the answer's Left ± 30 points and Top within its Top ± 10, bounds included.
bool CompareChartPosition(ExcelObjects& objects, int16_t chartIdx);
// ChartObject.Shadow of the chart objects, or ChartArea.Shadow of the chart sheets.
bool CompareChartShadow(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareChartRoundedCorners(ExcelObjects& objects, int16_t chartIdx);

}  // namespace tabrel::inspect
