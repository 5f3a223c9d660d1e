#pragma once
// The cell format (XF) that applies to a cell, and changing the formats of a range. A cell
// without a record of its own takes its row's format, else its column's, else the default.

#include <cstdint>
#include <functional>

#include "spreadsheet/model/workbook.h"

namespace tabrel::ops {

inline constexpr uint16_t kDefaultCellXf = 15;

bool spans_all_rows(const model::RangeRef& r);
bool spans_all_columns(const model::RangeRef& r);

uint16_t effective_xf(const model::Sheet& sheet, model::CellRef c);
// The XF record of `effective_xf`; the default cell format when the index is out of range.
const model::Xf& effective_format(const model::Workbook& wb, const model::Sheet& sheet, model::CellRef c);
// The XF record at `xf`, or the default cell format when the index is out of range.
const model::Xf& xf_record(const model::Workbook& wb, uint16_t xf);

// Rewrites the format of every cell of `range` through `change`. Ranges of whole columns or
// rows change the column or row format and the cells that exist, as the spreadsheet does.
void change_format(model::Workbook& wb, model::Sheet& sheet, const model::RangeRef& range,
                   const std::function<void(model::Xf&)>& change);

// Gives every cell of `range` the format `xf`.
void set_format(model::Workbook& wb, model::Sheet& sheet, const model::RangeRef& range, uint16_t xf);

}  // namespace tabrel::ops
