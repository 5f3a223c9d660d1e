#pragma once
// Shape types: the drawing layer's shape type numbers (as the file stores them) to the
// AutoShapeType numbers the automation reports.

#include <cstdint>

namespace tabrel::xl {

inline constexpr int kShapeRectangle = 1;
inline constexpr int kShapeNotPrimitive = 138;

int autoshape_type(uint16_t stored_shape_type);

}  // namespace tabrel::xl
