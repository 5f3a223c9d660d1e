#include "spreadsheet/automation/autoshape_types.h"

#include <array>
#include <utility>

namespace tabrel::xl {
namespace {

// stored shape type -> AutoShapeType
constexpr std::array<std::pair<uint16_t, int>, 32> kTypes = {{
    {1, 1},    {2, 5},    {3, 9},    {4, 4},    {5, 7},    {6, 8},    {7, 2},    {8, 3},
    {9, 10},   {10, 6},   {11, 11},  {12, 92},  {13, 33},  {16, 14},  {21, 28},  {22, 13},
    {23, 18},  {56, 12},  {61, 105}, {62, 106}, {63, 107}, {65, 16},  {66, 34},  {67, 36},
    {68, 35},  {73, 22},  {74, 21},  {84, 15},  {96, 17},  {183, 23}, {184, 24}, {202, 1},
}};

}  // namespace

int autoshape_type(uint16_t stored_shape_type) {
  if (stored_shape_type == 0) return kShapeRectangle;
  for (const auto& [stored, type] : kTypes)
    if (stored == stored_shape_type) return type;
  return kShapeNotPrimitive;
}

uint16_t stored_shape_type(int type) {
  for (const auto& [stored, known] : kTypes)
    if (known == type && stored != 202) return stored;
  return 0;
}

}  // namespace tabrel::xl
