#include "spreadsheet/automation/cell_copies.h"

#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/ops/cell_value.h"

namespace tabrel::xl {

CellCopy read_cell(const SheetHandle& sheet, model::CellRef at, bool formulas) {
  const model::Sheet& origin = sheet.get();
  const model::Cell* cell = origin.cells.find(at);
  CellCopy copy;
  copy.xf = ops::effective_xf(origin, at);
  if (!cell) return copy;
  copy.value = cell_value(*sheet.book, origin, at);
  if (cell->has_formula() && formulas) copy.formula_r1c1 = cell_formula(sheet.workbook(), origin, at, Notation::R1C1);
  return copy;
}

void write_cell(const SheetHandle& sheet, model::CellRef at, const CellCopy& copy, bool formats, bool values) {
  model::Sheet& destination = sheet.get();
  if (formats) destination.cells.at(at, copy.xf).xf = copy.xf;
  if (!values) return;
  if (!copy.formula_r1c1.empty()) enter_formula(*sheet.book, destination, at, copy.formula_r1c1, true);
  else ops::set_constant(destination, at, copy.value, ops::effective_xf(destination, at));
}

}  // namespace tabrel::xl
