#pragma once
// Decodes a chart substream's records (BOF .. EOF, as stored) into the chart model: groups,
// series with their links and cached values, data formats, labels, axes, titles, legend, data
// table, plot area, walls and frames. A record too short for its fields is left out and named
// among the chart's problems; the rest of the chart is still read.

#include <span>

#include "spreadsheet/model/chart.h"
#include "spreadsheet/model/raw_record.h"

namespace tabrel::xls {

model::Chart read_chart(std::span<const model::RawRecord> records);

}  // namespace tabrel::xls
