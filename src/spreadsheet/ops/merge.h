#pragma once
// Merging cells into one area and splitting merged areas.

#include "spreadsheet/model/sheet.h"

namespace tabrel::ops {

// Merges `range` into one area; merged areas it overlaps are dissolved first. The values of
// every cell but the top-left one are removed, as the spreadsheet does. A one-cell range is
// left alone.
void merge(model::Sheet& sheet, const model::RangeRef& range);

// Dissolves every merged area that overlaps `range`.
void unmerge(model::Sheet& sheet, const model::RangeRef& range);

}  // namespace tabrel::ops
