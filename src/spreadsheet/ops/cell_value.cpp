#include "spreadsheet/ops/cell_value.h"

namespace tabrel::ops {

void set_constant(model::Sheet& sheet, model::CellRef at, model::CellValue value, uint16_t xf_if_new) {
  model::Cell& cell = sheet.cells.at(at, xf_if_new);
  cell.value = std::move(value);
  cell.formula.reset();
  sheet.changes.mark(at, sheet.cells.size());
}

}  // namespace tabrel::ops
