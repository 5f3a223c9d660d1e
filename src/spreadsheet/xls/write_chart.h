#pragma once
// A chart substream made from the chart model, BOF to EOF: page settings, the chart's records
// (chart area, series with their links and formats, axis groups with their axes, titles and
// chart groups, legend, titles and data labels) and the cached series data.

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xls {

void write_chart_substream(biff::RecordWriter& out, const model::Chart& chart);

// The chart's records as read while its model is unchanged; a changed chart read from a file
// keeps the stored records its change left alone (chart_merge.h); a chart made in memory is
// written from its model.
void write_chart_data(biff::RecordWriter& out, const model::ChartData& data);

}  // namespace tabrel::xls
