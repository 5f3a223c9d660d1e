#include "spreadsheet/ops/clear.h"

#include <vector>

#include "spreadsheet/ops/cell_format.h"
#include "spreadsheet/ops/conditional_formats.h"
#include "spreadsheet/ops/merge.h"

namespace tabrel::ops {

void clear_contents(model::Sheet& sheet, const model::RangeRef& range) {
  std::vector<model::CellRef> filled;
  for (const auto& [key, cell] : sheet.cells) {
    const model::CellRef at = model::CellStore::position(key);
    if (range.contains(at) && (!cell.value.is_blank() || cell.has_formula())) filled.push_back(at);
  }
  for (const model::CellRef at : filled) {
    model::Cell& cell = *sheet.cells.find(at);
    cell.value = model::CellValue{};
    cell.formula.reset();
    sheet.changes.mark(at, sheet.cells.size());
  }
}

void clear_formats(model::Workbook& wb, model::Sheet& sheet, const model::RangeRef& range) {
  unmerge(sheet, range);
  remove_conditional_formats(sheet, range);
  set_format(wb, sheet, range, kDefaultCellXf);
  // Blank cells left with the default format hold nothing any more.
  std::vector<model::CellRef> empty;
  for (const auto& [key, cell] : sheet.cells) {
    const model::CellRef at = model::CellStore::position(key);
    if (range.contains(at) && cell.value.is_blank() && !cell.has_formula() && cell.xf == kDefaultCellXf)
      empty.push_back(at);
  }
  for (const auto& at : empty) sheet.cells.erase(at);
}

void clear_outline(model::Sheet& sheet, const model::RangeRef& range) {
  for (auto& [row, info] : sheet.rows) {
    if (row < range.first.row || row > range.last.row) continue;
    info.outline_level = 0;
    info.collapsed = false;
  }
  for (int c = range.first.col; c <= range.last.col; ++c) {
    const model::ColumnInfo* info = sheet.column_info(c);
    if (!info || (info->outline_level == 0 && !info->collapsed)) continue;
    model::ColumnInfo& edit = sheet.column_info_for_edit(c);
    edit.outline_level = 0;
    edit.collapsed = false;
  }
}

}  // namespace tabrel::ops
