// Range.AutoFit: columns as wide as their widest shown value, rows as high as their tallest font.

#include <algorithm>
#include <map>
#include <vector>

#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/shape_place.h"
#include "spreadsheet/layout/row_height.h"
#include "spreadsheet/ops/cell_format.h"
#include "spreadsheet/ops/dimensions.h"

namespace tabrel::xl {
namespace {

constexpr int kMaxColumnCharacters = 255;

// The non-blank cells of `area` by position, read once; merged cells do not count, as the
// spreadsheet leaves them out of fitting.
std::vector<model::CellRef> cells_in(const model::Sheet& sheet, const model::RangeRef& area) {
  std::vector<model::CellRef> out;
  for (const auto& [key, cell] : sheet.cells) {
    const model::CellRef at = model::CellStore::position(key);
    if (area.contains(at) && !cell.value.is_blank() && !sheet.merge_area(at)) out.push_back(at);
  }
  return out;
}

}  // namespace

void Range::AutoFit() {
  model::Sheet& sheet = sheet_.get();
  model::Workbook& wb = sheet_.workbook();
  const bool columns = lines_ == Lines::Columns || ops::spans_all_rows(area_);
  const bool rows = lines_ == Lines::Rows || ops::spans_all_columns(area_);
  if (!columns && !rows) raise(Fault::MethodFailed);
  const std::vector<model::CellRef> cells = cells_in(sheet, area_);
  if (columns) {
    // A column without a value keeps its width.
    std::vector<int> widest(static_cast<size_t>(area_.cols()), 0);
    for (const model::CellRef at : cells) {
      int& w = widest[static_cast<size_t>(at.col - area_.first.col)];
      w = std::max(w, fitting_column_pixels(*sheet_.book, sheet, at));
    }
    resize_cells(wb, sheet, [&] {
      for (int c = area_.first.col; c <= area_.last.col; ++c) {
        const int pixels = widest[static_cast<size_t>(c - area_.first.col)];
        if (pixels == 0 || column_width_pixels(wb, sheet, c) == 0) continue;  // hidden columns stay hidden
        const uint16_t units = std::min<uint16_t>(column_units_of_pixels(wb, pixels), kMaxColumnCharacters * 256);
        ops::set_column_width(sheet, c, c, units);
      }
    });
    return;
  }
  // Rows: the default height scaled by the tallest font of the row's values; rows without
  // values go back to the default height.
  const model::Font* standard = wb.styles.font(0);
  const int standard_size = standard && standard->height > 0 ? standard->height : 220;
  std::map<int, int> tallest;
  for (const auto& [row, info] : sheet.rows)
    if (row >= area_.first.row && row <= area_.last.row) tallest.emplace(row, standard_size);
  for (const model::CellRef at : cells) {
    const model::Font* font = wb.styles.font(ops::effective_format(wb, sheet, at).font);
    int& t = tallest.try_emplace(at.row, standard_size).first->second;
    if (font) t = std::max<int>(t, font->height);
  }
  resize_cells(wb, sheet, [&] {
    for (const auto& [row, size] : tallest) {
      if (sheet.row_hidden(row)) continue;
      const double points =
          layout::snap_row_points(layout::twips_to_points(sheet.default_row_height) * size / standard_size);
      ops::set_row_height(sheet, row, row, static_cast<uint16_t>(layout::points_to_twips(points)));
      sheet.rows[row].custom_height = false;
    }
  });
}

}  // namespace tabrel::xl
