#pragma once
// Writing a changed chart without losing what the chart model leaves out. The chart is written
// from its model twice, once as it was read and once as it is now, and both are laid over the
// records as stored: a record the change left alone keeps its stored bytes, a changed record
// takes the new bytes, a part the change removed goes, and the stored records the model does
// not hold (trend lines, error bars, the data table, fonts, text runs, newer formatting
// records) stay where they stood, next to the part they belong to.

#include <span>
#include <vector>

#include "spreadsheet/model/raw_record.h"

namespace tabrel::xls {

// `stored`: the chart's records as read; `as_read`: the model of those records written again;
// `now`: the changed model written. `origin[i]` is the stored index of series i of `now`
// (-1 for a series added since).
std::vector<model::RawRecord> merge_chart_records(std::span<const model::RawRecord> stored,
                                                  std::span<const model::RawRecord> as_read,
                                                  std::span<const model::RawRecord> now, std::span<const int> origin);

}  // namespace tabrel::xls
