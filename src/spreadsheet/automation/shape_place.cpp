#include "spreadsheet/automation/shape_place.h"

#include <vector>

#include "spreadsheet/automation/engine_text.h"

namespace tabrel::xl {
namespace {

constexpr uint8_t kMoveAndSize = 1, kMoveOnly = 2;

layout::CellAnchor cell_anchor(const model::Anchor& a) {
  return {a.col1, a.dx1, a.row1, a.dy1, a.col2, a.dx2, a.row2, a.dy2};
}

layout::ColumnPixels columns_of(const model::Workbook& wb, const model::Sheet& sheet) {
  return [&](int col) { return column_width_pixels(wb, sheet, col); };
}

layout::RowPixels rows_of(const model::Sheet& sheet) {
  return [&](int row) { return row_height_pixels(sheet, row); };
}

}  // namespace

layout::PointRect shape_place(const model::Workbook& wb, const model::Sheet& sheet, const model::DrawingObject& d) {
  return layout::anchor_to_points(cell_anchor(d.anchor), columns_of(wb, sheet), rows_of(sheet));
}

void place_shape(const model::Workbook& wb, const model::Sheet& sheet, model::DrawingObject& d,
                 const layout::PointRect& rect) {
  const layout::CellAnchor a = layout::points_to_anchor(rect, columns_of(wb, sheet), rows_of(sheet));
  d.anchor = {a.col1, a.dx1, a.row1, a.dy1, a.col2, a.dx2, a.row2, a.dy2, d.anchor.placement};
}

void resize_cells(const model::Workbook& wb, model::Sheet& sheet, const std::function<void()>& resize) {
  std::vector<layout::PointRect> before;
  before.reserve(sheet.drawings.size());
  for (const model::DrawingObject& d : sheet.drawings) before.push_back(shape_place(wb, sheet, d));
  resize();
  for (size_t i = 0; i < sheet.drawings.size(); ++i) {
    model::Anchor& a = sheet.drawings[i].anchor;
    if (a.placement == kMoveAndSize) continue;
    layout::PointRect kept = before[i];
    if (a.placement == kMoveOnly) {
      const layout::PointRect now = shape_place(wb, sheet, sheet.drawings[i]);
      kept.left = now.left;
      kept.top = now.top;
    }
    const layout::CellAnchor moved = layout::points_to_anchor(kept, columns_of(wb, sheet), rows_of(sheet));
    a = {moved.col1, moved.dx1, moved.row1, moved.dy1, moved.col2, moved.dx2, moved.row2, moved.dy2, a.placement};
  }
}

}  // namespace tabrel::xl
