#pragma once
// Decodes what the automation layer reads of a chart from its substream's records.

#include <span>

#include "spreadsheet/model/raw_record.h"
#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xls {

// The first chart group's kind and flags, and whether the chart is 3-D. A record too short for a
// field reads that field as 0, as the spreadsheet shows a damaged chart with its defaults.
model::ChartSummary summarize_chart(std::span<const model::RawRecord> records);

}  // namespace tabrel::xls
