#pragma once
// Reading one property over the cells of a range: the common value, or Null when cells differ.

#include <functional>

#include "spreadsheet/core/variant.h"
#include "spreadsheet/model/cell_ref.h"

namespace tabrel::xl {

// Visits the cells row by row and stops at the first difference.
Variant fold_cells(const model::RangeRef& area, const std::function<Variant(model::CellRef)>& read);

}  // namespace tabrel::xl
