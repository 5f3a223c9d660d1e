#include "spreadsheet/ops/cell_format.h"

#include <map>
#include <tuple>

namespace tabrel::ops {
namespace {

// The XF_USED_ATTRIB groups in which a changed cell format differs from its style. They are
// flagged as the spreadsheet does: another program takes a group whose flag is clear from the
// style, whatever the cell format holds.
uint8_t groups_differing(const model::Xf& cell, const model::Xf& style) {
  const auto borders = [](const model::Xf& x) {
    return std::tie(x.left, x.right, x.top, x.bottom, x.diagonal, x.diagonal_down, x.diagonal_up);
  };
  const auto alignment = [](const model::Xf& x) {
    return std::tie(x.horizontal, x.vertical, x.wrap, x.justify_last, x.rotation, x.indent, x.shrink,
                    x.reading_order);
  };
  const auto fill = [](const model::Xf& x) { return std::tie(x.pattern, x.pattern_color, x.background_color); };
  return static_cast<uint8_t>((cell.format != style.format ? 0x01 : 0) | (cell.font != style.font ? 0x02 : 0) |
                              (alignment(cell) != alignment(style) ? 0x04 : 0) |
                              (borders(cell) != borders(style) ? 0x08 : 0) | (fill(cell) != fill(style) ? 0x10 : 0) |
                              (cell.locked != style.locked || cell.hidden != style.hidden ? 0x20 : 0));
}

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
  return xf_record(wb, effective_xf(sheet, c));
}

const model::Xf& xf_record(const model::Workbook& wb, uint16_t xf) {
  static const model::Xf fallback;
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
    if (xf.parent < wb.styles.xfs.size() && wb.styles.xfs[xf.parent].is_style)
      xf.used_attributes |= groups_differing(xf, wb.styles.xfs[xf.parent]);
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
