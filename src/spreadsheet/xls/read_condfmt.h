#pragma once
// Conditional formats: CONDFMT (the ranges) and its CF rules with their differential formats.

#include "spreadsheet/biff/record.h"
#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xls {

// The ranges of a CONDFMT record; its rules follow as CF records.
model::CondFormat read_condfmt(const biff::Record& rec);
// One CF rule; font, border and fill are set only where the rule sets them.
model::CondRule read_cf(const biff::Record& rec);

}  // namespace tabrel::xls
