#pragma once
// Where a drawn object stands in points, after the sheet's current column widths and row
// heights, and how its anchor follows when those change: an object that moves and sizes with
// cells keeps its anchor; one that moves only keeps its top-left cell and its size; a
// free-floating one keeps its place and size.

#include <functional>

#include "spreadsheet/layout/anchor_geometry.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::xl {

layout::PointRect shape_place(const model::Workbook& wb, const model::Sheet& sheet, const model::DrawingObject& d);

// Puts the object at `rect` (in points), keeping how it follows the cells.
void place_shape(const model::Workbook& wb, const model::Sheet& sheet, model::DrawingObject& d,
                 const layout::PointRect& rect);

// Runs `resize`, which changes column widths, row heights or their hidden flags, and then
// re-anchors the objects that do not size (or move) with their cells.
void resize_cells(const model::Workbook& wb, model::Sheet& sheet, const std::function<void()>& resize);

}  // namespace tabrel::xl
