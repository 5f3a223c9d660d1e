#pragma once
// Writing a constant into a cell: the formula goes, the format stays, and the cell is marked
// for the recalculation of the cells that depend on it.

#include "spreadsheet/model/sheet.h"

namespace tabrel::ops {

void set_constant(model::Sheet& sheet, model::CellRef at, model::CellValue value, uint16_t xf_if_new);

}  // namespace tabrel::ops
