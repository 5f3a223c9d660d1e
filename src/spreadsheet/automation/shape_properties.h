#pragma once
// Properties of a shape read from its drawing-layer records: the adjustment values of an
// autoshape (falling back to the shape type's defaults).

#include <cstdint>
#include <span>
#include <vector>

namespace tabrel::xl {

// The shape's adjustment values in shape units (0..21600), first handle first.
std::vector<int32_t> shape_adjustments(std::span<const uint8_t> shape_records, uint16_t shape_type);

}  // namespace tabrel::xl
