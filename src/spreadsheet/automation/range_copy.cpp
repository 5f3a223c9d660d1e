// Range: copying cells (values, formulas moved with their relative references, formats) and
// filling a range from its first cells.
#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/ops/cell_format.h"
#include "spreadsheet/ops/cell_value.h"

namespace tabrel::xl {
namespace {

struct CellCopy {
  model::CellValue value;
  uint16_t xf = ops::kDefaultCellXf;
  std::u16string formula_r1c1;  // empty for a constant
};

}  // namespace

void Range::copy_into(const model::RangeRef& target, bool keep_source) {
  model::Sheet& from = sheet_.get();
  // Read every source cell first: the target may overlap the source.
  std::vector<CellCopy> source;
  source.reserve(static_cast<size_t>(area_.cell_count()));
  for (int r = area_.first.row; r <= area_.last.row; ++r) {
    for (int c = area_.first.col; c <= area_.last.col; ++c) {
      const model::Cell* cell = from.cells.find({r, c});
      CellCopy copy;
      copy.xf = ops::effective_xf(from, {r, c});
      if (cell && cell->has_formula()) copy.formula_r1c1 = cell_formula(sheet_.workbook(), from, {r, c}, Notation::R1C1);
      else if (cell) copy.value = cell->value;
      source.push_back(std::move(copy));
    }
  }
  for (int r = target.first.row; r <= target.last.row; ++r) {
    for (int c = target.first.col; c <= target.last.col; ++c) {
      const int dr = (r - target.first.row) % area_.rows(), dc = (c - target.first.col) % area_.cols();
      if (keep_source && area_.contains({r, c})) continue;
      const CellCopy& copy = source[static_cast<size_t>(dr * area_.cols() + dc)];
      ops::set_constant(from, {r, c}, copy.value, copy.xf);
      from.cells.at({r, c}).xf = copy.xf;
      if (!copy.formula_r1c1.empty()) enter_formula(*sheet_.book, from, {r, c}, copy.formula_r1c1, true);
    }
  }
}

void Range::Copy(const Variant& destination) {
  sheet_.get();
  auto target = destination.is_object() ? std::dynamic_pointer_cast<xl::Range>(destination.object()) : nullptr;
  if (!target || !(target->sheet() == sheet_)) raise(Fault::MethodFailed);
  model::RangeRef area = target->area();
  // A single target cell takes the source's shape; a larger one is filled with whole copies.
  if (area.cell_count() == 1 || area.rows() % area_.rows() != 0 || area.cols() % area_.cols() != 0)
    area.last = {area.first.row + area_.rows() - 1, area.first.col + area_.cols() - 1};
  if (area.last.row >= model::kMaxRows || area.last.col >= model::kMaxColumns) raise(Fault::MethodFailed);
  copy_into(area, false);
}

void Range::AutoFill(const Variant& destination) {
  sheet_.get();
  auto target = destination.is_object() ? std::dynamic_pointer_cast<xl::Range>(destination.object()) : nullptr;
  if (!target || !(target->sheet() == sheet_)) raise(Fault::MethodFailed);
  const model::RangeRef area = target->area();
  // The destination holds the source at one of its corners and grows in one direction.
  const bool rows_grow = area.cols() == area_.cols() && area.first.col == area_.first.col;
  const bool cols_grow = area.rows() == area_.rows() && area.first.row == area_.first.row;
  const bool starts_here = area.first == area_.first;
  if (!(rows_grow || cols_grow) || !area.contains(area_.first) || !area.contains(area_.last) || !starts_here)
    raise(Fault::MethodFailed);
  copy_into(area, true);
}

}  // namespace tabrel::xl
