#include "spreadsheet/ops/range_math.h"

#include <algorithm>

namespace tabrel::ops {

bool overlaps(const model::RangeRef& a, const model::RangeRef& b) {
  return a.first.row <= b.last.row && b.first.row <= a.last.row && a.first.col <= b.last.col &&
         b.first.col <= a.last.col;
}

std::vector<model::RangeRef> subtract(const model::RangeRef& area, const model::RangeRef& hole) {
  if (!overlaps(area, hole)) return {area};
  std::vector<model::RangeRef> parts;
  if (area.first.row < hole.first.row)
    parts.push_back({area.first, {hole.first.row - 1, area.last.col}});
  if (area.last.row > hole.last.row)
    parts.push_back({{hole.last.row + 1, area.first.col}, area.last});
  const int top = std::max(area.first.row, hole.first.row);
  const int bottom = std::min(area.last.row, hole.last.row);
  if (area.first.col < hole.first.col)
    parts.push_back({{top, area.first.col}, {bottom, hole.first.col - 1}});
  if (area.last.col > hole.last.col)
    parts.push_back({{top, hole.last.col + 1}, {bottom, area.last.col}});
  return parts;
}

}  // namespace tabrel::ops
