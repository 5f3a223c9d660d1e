#pragma once
// The adjustment handles of an autoshape: the values its property table sets, the shape type's
// default for a first handle it leaves out.

#include <cstdint>
#include <vector>

#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xl {

// The shape's adjustment values in shape units (0..21600), first handle first, up to the first
// handle that has no value.
std::vector<int32_t> shape_adjustments(const model::DrawingObject& shape);

}  // namespace tabrel::xl
