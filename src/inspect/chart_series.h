#pragma once
// Comparisons of the series of the answer's chart and the target's: names, line colour,
// smoothing, the cells they plot, and data labels of single points. Each answers true when
// the two agree and false when they differ or anything cannot be read. `useActiveChart` not 0
// reads each instance's active chart as it stands; 0 activates chart object `chartIdx` first.

#include <cstdint>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

bool CompareSeriesName(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx, int16_t seriesIdx);
bool CompareSeriesBorderColor(ExcelObjects& objects, int16_t chartIdx, int16_t useActiveChart, int16_t seriesIdx);
bool CompareSeriesSmooth(ExcelObjects& objects, int16_t chartIdx, int16_t useActiveChart, int16_t seriesIdx);

// Same series count and names (and, on chart objects, as many target categories as answer
// values per series); then every part of the answer series' formula but the plot order occurs
// in the formula of the target series of the same name. On chart objects a part is looked for
// without its sheet, and a range needs only one of its corners; on chart sheets the whole part
// must occur.
bool CompareChartDataRange(ExcelObjects& objects, int16_t chartIdx, int16_t seriesIdx, int16_t chartSheetIdx);

// Point.HasDataLabel of the active charts (chart sheets when `chartSheetIdx` is not 0);
// `chartIdx` is not read.
bool ComparePointHasDataLabel(ExcelObjects& objects, int16_t chartIdx, int16_t seriesIdx, int16_t pointIdx,
                              int16_t chartSheetIdx);
// No label on either point, or labels with the same text.
bool ComparePointDataLabel(ExcelObjects& objects, int16_t chartIdx, int16_t seriesIdx, int16_t pointIdx,
                           int16_t chartSheetIdx);

}  // namespace tabrel::inspect
