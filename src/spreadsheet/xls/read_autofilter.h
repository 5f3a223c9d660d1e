#pragma once
// AUTOFILTER records: one filtered column of the sheet's autofilter with its two conditions.

#include "spreadsheet/biff/record.h"
#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xls {

model::AutoFilterColumn read_autofilter_column(const biff::Record& rec);

}  // namespace tabrel::xls
