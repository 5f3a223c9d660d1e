#pragma once
// The number a chart sheet answers for Type. A chart's Type is its older chart-type number,
// taken from the first chart group of the reader's summary: 1 area, 2 bar, 3 column, 4 line,
// 5 pie, the 3-D forms -4098 .. -4103, -4120 doughnut, -4151 radar, -4169 XY scatter.

#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xl {

int chart_type_number(const model::ChartData& chart);

}  // namespace tabrel::xl
