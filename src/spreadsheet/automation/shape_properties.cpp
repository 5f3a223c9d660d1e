#include "spreadsheet/automation/shape_properties.h"

#include <array>
#include <utility>

namespace tabrel::xl {
namespace {

// Default first adjustment of the shape types that have one (stored shape type, shape units).
constexpr std::array<std::pair<uint16_t, int32_t>, 19> kDefaults = {{
    {2, 3600},     // rounded rectangle
    {5, 10800},    // isosceles triangle
    {7, 5400},     // parallelogram
    {8, 5400},     // trapezoid
    {9, 5400},     // hexagon
    {10, 6326},    // octagon
    {11, 5400},    // cross
    {13, 16200},   // right arrow
    {16, 5400},    // cube
    {21, 3600},    // plaque
    {22, 5400},    // can
    {23, 5400},    // donut
    {65, 18900},   // folded corner
    {66, 5400},    // left arrow
    {67, 16200},   // down arrow
    {68, 5400},    // up arrow
    {84, 2700},    // bevel
    {96, 17520},   // smiley face: the mouth's curve, 17520 a smile, 15510 a frown
    {183, 5400},   // sun
}};

}  // namespace

std::vector<int32_t> shape_adjustments(const model::DrawingObject& shape) {
  std::vector<int32_t> values;
  for (int handle = 0;; ++handle) {
    const auto stored = shape.adjustments.find(handle);
    if (stored != shape.adjustments.end()) {
      values.push_back(stored->second);
      continue;
    }
    if (handle == 0)
      for (const auto& [type, value] : kDefaults)
        if (type == shape.autoshape_type) values.push_back(value);
    if (values.size() == static_cast<size_t>(handle)) return values;
  }
}

}  // namespace tabrel::xl
