#include "spreadsheet/ops/cell_format.h"

#include <map>

namespace tabrel::ops {
namespace {

// Calls `visit` for the cells of `range` that exist (whole rows or columns) or for every cell.
void for_each_target(model::Sheet& sheet, const model::RangeRef& range,
                     const std::function<void(model::CellRef)>& visit) {
  const bool whole = spans_all_rows(range) || spans_all_columns(range);
  if (!whole) {
    for (int r = range.first.row; r <= range.last.row; ++r)
      for (int c = range.first.col; c <= range.last.col; ++c) visit({r, c});
    return;
  }
  std::vector<model::CellRef> present;
  for (const auto& [key, cell] : sheet.cells) {
    const model::CellRef at = model::CellStore::position(key);
    if (range.contains(at)) present.push_back(at);
  }
  for (const auto& at : present) visit(at);
}

}  // namespace

bool spans_all_rows(const model::RangeRef& r) {
  return r.first.row == 0 && r.last.row == model::kMaxRows - 1;
}

bool spans_all_columns(const model::RangeRef& r) {
  return r.first.col == 0 && r.last.col == model::kMaxColumns - 1;
}

uint16_t effective_xf(const model::Sheet& sheet, model::CellRef c) {
  if (const model::Cell* cell = sheet.cells.find(c)) return cell->xf;
  auto row = sheet.rows.find(c.row);
  if (row != sheet.rows.end() && row->second.has_xf) return row->second.xf;
  if (const model::ColumnInfo* col = sheet.column_info(c.col)) return col->xf;
  return kDefaultCellXf;
}

const model::Xf& effective_format(const model::Workbook& wb, const model::Sheet& sheet, model::CellRef c) {
  static const model::Xf fallback;
  const uint16_t xf = effective_xf(sheet, c);
  if (xf < wb.styles.xfs.size()) return wb.styles.xfs[xf];
  if (kDefaultCellXf < wb.styles.xfs.size()) return wb.styles.xfs[kDefaultCellXf];
  return fallback;
}

void change_format(model::Workbook& wb, model::Sheet& sheet, const model::RangeRef& range,
                   const std::function<void(model::Xf&)>& change) {
  std::map<uint16_t, uint16_t> rewritten;  // old XF -> new XF, so each format is changed once
  auto rewrite = [&](uint16_t old_xf) {
    auto it = rewritten.find(old_xf);
    if (it != rewritten.end()) return it->second;
    model::Xf xf = old_xf < wb.styles.xfs.size() ? wb.styles.xfs[old_xf] : model::Xf{};
    xf.is_style = false;
    change(xf);
    const uint16_t fresh = wb.styles.intern_xf(xf);
    rewritten.emplace(old_xf, fresh);
    return fresh;
  };
  if (spans_all_rows(range)) {
    for (int c = range.first.col; c <= range.last.col; ++c) {
      model::ColumnInfo& info = sheet.column_info_for_edit(c);
      info.xf = rewrite(info.xf);
    }
  } else if (spans_all_columns(range)) {
    for (int r = range.first.row; r <= range.last.row; ++r) {
      model::RowInfo& info = sheet.rows[r];
      const uint16_t base = info.has_xf ? info.xf : kDefaultCellXf;
      info.has_xf = true;
      info.xf = rewrite(base);
    }
  }
  for_each_target(sheet, range, [&](model::CellRef at) {
    const uint16_t old_xf = effective_xf(sheet, at);
    sheet.cells.at(at, old_xf).xf = rewrite(old_xf);
  });
}

void set_format(model::Workbook& wb, model::Sheet& sheet, const model::RangeRef& range, uint16_t xf) {
  change_format(wb, sheet, range, [&](model::Xf& target) {
    if (xf < wb.styles.xfs.size()) target = wb.styles.xfs[xf];
    target.is_style = false;
  });
}

}  // namespace tabrel::ops
