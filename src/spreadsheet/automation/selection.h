#pragma once
// The selection state of a workbook: which sheet is active, which tabs are selected, and on each
// worksheet the selected range and the active cell. It lives in the workbook's view state, so
// each instance (which holds its own workbooks) keeps its own.

#include <optional>

#include "spreadsheet/model/workbook.h"

namespace tabrel::xl {

// The active sheet; on opening, a hidden active sheet gives way to the first visible one.
model::Sheet* active_sheet(model::Workbook& wb);
void settle_active_sheet(model::Workbook& wb);

// Makes `sheet` the active sheet. With `replace` it becomes the only selected tab, else it joins
// the selected tabs.
void make_active(model::Workbook& wb, const model::Sheet& sheet, bool replace = true);

// After the active sheet was hidden or removed: the next visible sheet to the right, else to the
// left, becomes active. `removed_at` is the old position.
void activate_neighbour(model::Workbook& wb, size_t removed_at);

model::CellRef active_cell(const model::Sheet& sheet);
model::RangeRef selected_range(const model::Sheet& sheet);

// The smallest range holding `area` and every merged area that overlaps it.
model::RangeRef widen_to_merges(const model::Sheet& sheet, model::RangeRef area);

// Selects `area` on `sheet` with `active` as the active cell.
void set_selection(model::Sheet& sheet, const model::RangeRef& area, model::CellRef active);

}  // namespace tabrel::xl
