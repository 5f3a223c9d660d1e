#pragma once
// The AutoFilter of a sheet: FILTERMODE (when rows are hidden by it), AUTOFILTERINFO and one
// AUTOFILTER record per column that has a condition.

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xls {

void write_autofilter(biff::RecordWriter& out, const model::AutoFilter& filter);

biff::PayloadBuilder autofilter_payload(const model::AutoFilterColumn& column);

}  // namespace tabrel::xls
