#pragma once
// A cell read out of a sheet to be written elsewhere (copy, paste, fill, sort): its value or its
// formula in R1C1 form (so that relative references move with it) and its format.

#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/model/cell.h"
#include "spreadsheet/ops/cell_format.h"

namespace tabrel::xl {

struct CellCopy {
  model::CellValue value;  // the computed value of a formula cell as well
  uint16_t xf = ops::kDefaultCellXf;
  std::u16string formula_r1c1;  // empty for a constant (or when formulas are not taken)
};

CellCopy read_cell(const SheetHandle& sheet, model::CellRef at, bool formulas = true);

// Writes the copy at `at`: its format when `formats`, its formula or value when `values`.
void write_cell(const SheetHandle& sheet, model::CellRef at, const CellCopy& copy, bool formats = true,
                bool values = true);

}  // namespace tabrel::xl
