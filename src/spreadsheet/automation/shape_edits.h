#pragma once
// A drawn object about to be changed in what its kept file records hold (its text, its
// adjustments): the records are dropped so that the file writer makes them from the model.

#include <cstddef>

#include "spreadsheet/automation/sheet_handle.h"

namespace tabrel::xl {

// The object at `index`; raises when it is gone, or when it is of a kind whose records the
// writer cannot make (pictures, form controls other than buttons, charts).
model::DrawingObject& drawing_to_edit(const SheetHandle& sheet, size_t index);

}  // namespace tabrel::xl
