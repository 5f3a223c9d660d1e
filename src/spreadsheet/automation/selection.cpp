#include "spreadsheet/automation/selection.h"

#include <algorithm>

#include "spreadsheet/ops/range_math.h"

namespace tabrel::xl {
namespace {

bool visible(const model::Sheet& s) { return s.visibility == model::Visibility::Visible; }

const model::Selection* main_selection(const model::Sheet& sheet) {
  if (sheet.view.selections.empty()) return nullptr;
  for (const auto& s : sheet.view.selections)
    if (s.pane == 3) return &s;
  return &sheet.view.selections.front();
}

}  // namespace

model::Sheet* active_sheet(model::Workbook& wb) {
  if (wb.sheets.empty()) return nullptr;
  const size_t i = std::min<size_t>(wb.view.active_sheet, wb.sheets.size() - 1);
  return wb.sheets[i].get();
}

void settle_active_sheet(model::Workbook& wb) {
  model::Sheet* current = active_sheet(wb);
  if (!current) return;
  if (!visible(*current)) {
    for (const auto& s : wb.sheets) {
      if (visible(*s)) {
        current = s.get();
        break;
      }
    }
  }
  make_active(wb, *current, false);
}

void make_active(model::Workbook& wb, const model::Sheet& sheet, bool replace) {
  for (auto& s : wb.sheets) {
    const bool target = s.get() == &sheet;
    s->view.active = target;
    if (replace) s->view.selected = target;
    else if (target) s->view.selected = true;
  }
  const int index = wb.sheet_index(&sheet);
  if (index >= 0) wb.view.active_sheet = static_cast<uint16_t>(index);
}

void activate_neighbour(model::Workbook& wb, size_t removed_at) {
  for (size_t i = removed_at; i < wb.sheets.size(); ++i) {
    if (visible(*wb.sheets[i])) return make_active(wb, *wb.sheets[i]);
  }
  for (size_t i = std::min(removed_at, wb.sheets.size()); i-- > 0;) {
    if (visible(*wb.sheets[i])) return make_active(wb, *wb.sheets[i]);
  }
}

model::CellRef active_cell(const model::Sheet& sheet) {
  const model::Selection* s = main_selection(sheet);
  return s ? s->active : model::CellRef{};
}

model::RangeRef selected_range(const model::Sheet& sheet) {
  const model::Selection* s = main_selection(sheet);
  if (!s) return {};
  if (s->ranges.empty()) return {s->active, s->active};
  const size_t i = std::min<size_t>(static_cast<size_t>(std::max(s->active_index, 0)), s->ranges.size() - 1);
  return s->ranges[i];
}

model::RangeRef widen_to_merges(const model::Sheet& sheet, model::RangeRef area) {
  for (bool grew = true; grew;) {
    grew = false;
    for (const auto& m : sheet.merges) {
      if (!ops::overlaps(m, area)) continue;
      model::RangeRef wider{{std::min(area.first.row, m.first.row), std::min(area.first.col, m.first.col)},
                            {std::max(area.last.row, m.last.row), std::max(area.last.col, m.last.col)}};
      if (!(wider == area)) {
        area = wider;
        grew = true;
      }
    }
  }
  return area;
}

void set_selection(model::Sheet& sheet, const model::RangeRef& area, model::CellRef active) {
  model::Selection fresh;
  fresh.pane = 3;
  fresh.active = active;
  fresh.active_index = 0;
  fresh.ranges = {area};
  auto& list = sheet.view.selections;
  auto it = std::find_if(list.begin(), list.end(), [](const model::Selection& s) { return s.pane == 3; });
  if (it != list.end()) *it = fresh;
  else list.insert(list.begin(), fresh);
}

}  // namespace tabrel::xl
