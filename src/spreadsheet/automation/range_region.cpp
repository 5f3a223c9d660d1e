// Range: moving through the blocks of filled cells as the keyboard does (End) and the block
// around a cell (CurrentRegion).
#include <algorithm>

#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"

namespace tabrel::xl {
namespace {

constexpr int kUp = -4162, kDown = -4121, kToLeft = -4159, kToRight = -4161;

// A cell counts as filled when it holds a value or a formula; formats alone do not.
bool filled(const model::Sheet& sheet, model::CellRef at) {
  const model::Cell* cell = sheet.cells.find(at);
  return cell && (cell->has_formula() || !cell->value.is_blank());
}

bool inside(model::CellRef at) { return at.row >= 0 && at.col >= 0 && at.row < model::kMaxRows && at.col < model::kMaxColumns; }

}  // namespace

std::shared_ptr<xl::Range> Range::End(const Variant& direction) const {
  const model::Sheet& sheet = sheet_.get();
  int dr = 0, dc = 0;
  switch (direction.to_long()) {
    case kUp: dr = -1; break;
    case kDown: dr = 1; break;
    case kToLeft: dc = -1; break;
    case kToRight: dc = 1; break;
    default: raise(Fault::MethodFailed);
  }
  model::CellRef at = area_.first;
  auto next = [&](model::CellRef c) { return model::CellRef{c.row + dr, c.col + dc}; };
  if (inside(next(at)) && filled(sheet, at) && filled(sheet, next(at))) {
    // Inside a block: to its last filled cell.
    while (inside(next(at)) && filled(sheet, next(at))) at = next(at);
  } else {
    // To the next filled cell, or the edge of the sheet.
    while (inside(next(at))) {
      at = next(at);
      if (filled(sheet, at)) break;
    }
  }
  return sub({at, at});
}

std::shared_ptr<xl::Range> Range::CurrentRegion() const {
  const model::Sheet& sheet = sheet_.get();
  model::RangeRef region{area_.first, area_.first};
  // Any filled cell in the ring around the region, diagonals included, grows it to that side.
  auto row_filled = [&](int row) {
    if (row < 0 || row >= model::kMaxRows) return false;
    for (int col = std::max(0, region.first.col - 1); col <= std::min(model::kMaxColumns - 1, region.last.col + 1); ++col)
      if (filled(sheet, {row, col})) return true;
    return false;
  };
  auto column_filled = [&](int col) {
    if (col < 0 || col >= model::kMaxColumns) return false;
    for (int row = std::max(0, region.first.row - 1); row <= std::min(model::kMaxRows - 1, region.last.row + 1); ++row)
      if (filled(sheet, {row, col})) return true;
    return false;
  };
  for (bool grew = true; grew;) {
    grew = false;
    if (row_filled(region.first.row - 1)) --region.first.row, grew = true;
    if (row_filled(region.last.row + 1)) ++region.last.row, grew = true;
    if (column_filled(region.first.col - 1)) --region.first.col, grew = true;
    if (column_filled(region.last.col + 1)) ++region.last.col, grew = true;
  }
  return sub(region);
}

}  // namespace tabrel::xl
