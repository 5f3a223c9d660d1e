#pragma once
// The chart-type numbers the spreadsheet's automation interface reports, derived from a chart
// group's type record, its flags, its 3-D view and the formats of the series.

#include "spreadsheet/model/chart.h"

namespace tabrel::charts {

// Series.ChartType: the type of the series' chart group, with the series' own markers, lines,
// smoothing, explosion and bar shape (51 clustered column, 4 line, 65 line with markers,
// -4169 XY scatter, -4120 doughnut, 15 bubble, 88 stock high-low-close, ...).
int series_chart_type(const model::Chart& chart, const model::Series& series);

// Chart.ChartType: the type of the first series, or of the first chart group when the chart has
// no series.
int chart_type(const model::Chart& chart);

// The older chart-type number a chart sheet answers for Sheet.Type: 1 area, 2 bar, 3 column,
// 4 line, 5 pie, -4098 .. -4103 the 3-D forms, -4120 doughnut, -4151 radar, -4169 XY scatter,
// 15 bubble. A chart whose groups were not read answers 3, the default column chart.
int older_type_number(const model::Chart& chart);

}  // namespace tabrel::charts
