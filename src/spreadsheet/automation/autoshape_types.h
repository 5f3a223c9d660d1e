#pragma once
// Shape types: the drawing layer's shape type numbers (as the file stores them) to the
// AutoShapeType numbers the automation reports.

#include <cstdint>

namespace tabrel::xl {

inline constexpr int kShapeRectangle = 1;
inline constexpr int kShapeNotPrimitive = 138;

// A shape that stores no type (an object made without a drawing layer) draws as a rectangle.
int autoshape_type(uint16_t stored_shape_type);
// The stored shape type of an AutoShapeType; 0 for a type the table does not know.
uint16_t stored_shape_type(int autoshape_type);

}  // namespace tabrel::xl
