#include "spreadsheet/layout/anchor_geometry.h"

#include <algorithm>
#include <cmath>

#include "spreadsheet/layout/column_width.h"

namespace tabrel::layout {

namespace {

// Pixels from the sheet's edge to `offset` (in 1/`scale` of the cell) inside cell `index`.
double edge_pixels(int index, int offset, int scale, const std::function<int(int)>& size) {
  index = std::max(index, 0);
  double px = 0;
  for (int i = 0; i < index; ++i) px += size(i);
  const int cell = size(index);
  return px + std::round(static_cast<double>(std::clamp(offset, 0, scale)) * cell / scale);
}

// The cell holding the point `px` pixels from the edge and the offset in 1/`scale` of it.
void locate(double px, int scale, int last, const std::function<int(int)>& size, int& index, int& offset) {
  index = 0;
  double start = 0;
  while (index < last && start + size(index) <= px) start += size(index++);
  const int cell = size(index);
  offset = cell > 0 ? static_cast<int>(std::lround((px - start) * scale / cell)) : 0;
  offset = std::clamp(offset, 0, scale);
}

}  // namespace

PointRect anchor_to_points(const CellAnchor& a, const ColumnPixels& columns, const RowPixels& rows) {
  const double x1 = edge_pixels(a.col1, a.dx1, 1024, columns), x2 = edge_pixels(a.col2, a.dx2, 1024, columns);
  const double y1 = edge_pixels(a.row1, a.dy1, 256, rows), y2 = edge_pixels(a.row2, a.dy2, 256, rows);
  return {pixels_to_points(x1), pixels_to_points(y1), pixels_to_points(std::max(x2 - x1, 0.0)),
          pixels_to_points(std::max(y2 - y1, 0.0))};
}

CellAnchor points_to_anchor(const PointRect& r, const ColumnPixels& columns, const RowPixels& rows, int max_col,
                            int max_row) {
  CellAnchor a;
  const double left = std::round(r.left / 0.75), top = std::round(r.top / 0.75);
  const double right = left + std::round(r.width / 0.75), bottom = top + std::round(r.height / 0.75);
  locate(left, 1024, max_col, columns, a.col1, a.dx1);
  locate(right, 1024, max_col, columns, a.col2, a.dx2);
  locate(top, 256, max_row, rows, a.row1, a.dy1);
  locate(bottom, 256, max_row, rows, a.row2, a.dy2);
  return a;
}

}  // namespace tabrel::layout
