#pragma once
// Comparisons of a chart as a whole between the answer's chart and the target's: type, title,
// plot-area and walls colours, legend and its position, data table, font scaling and colours
// varied by category. Each answers true when the two charts agree and false when they differ
// or anything cannot be read (no such chart, a chart without that part), except where said.
// `chartIdx` is the chart object's position on the inspected sheets, `chartSheetIdx` 0 for
// that object or a chart sheet's position among all sheets (see chart_designation.h).

#include <cstdint>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// Series.ChartType of series `seriesIdx`; with 0, of every series from 1 to the answer's count
// (target series beyond it are not looked at; a target with fewer series differs).
bool CompareChartType(ExcelObjects& objects, int16_t chartIdx, int16_t seriesIdx, int16_t chartSheetIdx);
// The whole title texts, exactly.
bool CompareChartTitle(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool ComparePlotAreaColor(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareWallsColor(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareHasLegend(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
// Equal legend positions, or no legend in either chart: when the answer's legend cannot be
// read (or, on chart sheets, either legend), the answer is IsTargetLegendMissing's.
bool CompareLegendPosition(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
// True when the target instance's active chart has no legend that can be read.
bool IsTargetLegendMissing(ExcelObjects& objects);
bool CompareHasDataTable(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
bool CompareDataTableLegendKey(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);
// ChartArea.AutoScaleFont of the activated chart objects (no chart-sheet form).
bool CompareChartAutoScaleFont(ExcelObjects& objects, int16_t chartIdx);
// VaryByCategories of chart group `groupIdx`, then the fill colour of series `groupIdx`. A
// `groupIdx` of 0 becomes 1, in the caller's variable too.
bool CompareVaryByCategories(ExcelObjects& objects, int16_t chartIdx, int16_t& groupIdx, int16_t chartSheetIdx);

}  // namespace tabrel::inspect
