#include "spreadsheet/automation/fold.h"

#include "spreadsheet/automation/arguments.h"

namespace tabrel::xl {

Variant fold_cells(const model::RangeRef& area, const std::function<Variant(model::CellRef)>& read) {
  Uniform values;
  for (int r = area.first.row; r <= area.last.row; ++r) {
    for (int c = area.first.col; c <= area.last.col; ++c) {
      values.add(read({r, c}));
      if (values.mixed()) return Variant::null();
    }
  }
  return values.result();
}

}  // namespace tabrel::xl
