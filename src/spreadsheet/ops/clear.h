#pragma once
// Clearing a range: its contents (values and formulas), its formats, or its outline.

#include "spreadsheet/model/workbook.h"

namespace tabrel::ops {

// Removes values and formulas and keeps the formats; the cleared cells are marked for
// recalculation of the cells that depend on them.
void clear_contents(model::Sheet& sheet, const model::RangeRef& range);

// Gives the range the default format, removes its merged areas and the conditional formats
// that cover it; values stay.
void clear_formats(model::Workbook& wb, model::Sheet& sheet, const model::RangeRef& range);

// Removes the outline levels of the rows and columns of the range.
void clear_outline(model::Sheet& sheet, const model::RangeRef& range);

}  // namespace tabrel::ops
