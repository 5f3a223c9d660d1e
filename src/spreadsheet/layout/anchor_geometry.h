#pragma once
// Drawn objects tied to cells: an anchor names the top-left and bottom-right cells with offsets
// in 1/1024 of the column's width and 1/256 of the row's height. Left, Top, Width and Height
// in points follow the current column widths and row heights (in pixels at 96 dpi).

#include <functional>

namespace tabrel::layout {

struct CellAnchor {
  int col1 = 0, dx1 = 0, row1 = 0, dy1 = 0;
  int col2 = 0, dx2 = 0, row2 = 0, dy2 = 0;
};

struct PointRect {
  double left = 0, top = 0, width = 0, height = 0;
};

// Pixel width of column `col` (0 when hidden) and pixel height of row `row` (0 when hidden).
using ColumnPixels = std::function<int(int col)>;
using RowPixels = std::function<int(int row)>;

// Where the anchored object stands now, in points.
PointRect anchor_to_points(const CellAnchor& anchor, const ColumnPixels& columns, const RowPixels& rows);

// The anchor of an object placed at `rect`, as the spreadsheet records it after a move.
// Positions beyond `max_col` / `max_row` stay in the last cell.
CellAnchor points_to_anchor(const PointRect& rect, const ColumnPixels& columns, const RowPixels& rows,
                            int max_col = 255, int max_row = 65535);

}  // namespace tabrel::layout
