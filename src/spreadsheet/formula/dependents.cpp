#include "spreadsheet/formula/dependents.h"

#include <algorithm>

namespace tabrel::formula {

void DependentIndex::add(CellKey formula, const std::vector<Area>& precedents) {
  for (const Area& a : precedents) {
    if (a.range.cell_count() > kCellByCell) {
      ranges_.push_back(RangeUse{a, formula});
      continue;
    }
    for (int r = a.range.first.row; r <= a.range.last.row; ++r)
      for (int c = a.range.first.col; c <= a.range.last.col; ++c) cells_[cell_key(a.sheet, {r, c})].push_back(formula);
  }
}

void DependentIndex::remove(CellKey formula, const std::vector<Area>& precedents) {
  bool large = false;
  for (const Area& a : precedents) {
    if (a.range.cell_count() > kCellByCell) {
      large = true;
      continue;
    }
    for (int r = a.range.first.row; r <= a.range.last.row; ++r)
      for (int c = a.range.first.col; c <= a.range.last.col; ++c) {
        auto it = cells_.find(cell_key(a.sheet, {r, c}));
        if (it == cells_.end()) continue;
        std::vector<CellKey>& readers = it->second;
        if (auto f = std::find(readers.begin(), readers.end(), formula); f != readers.end()) readers.erase(f);
        if (readers.empty()) cells_.erase(it);
      }
  }
  if (large) std::erase_if(ranges_, [&](const RangeUse& u) { return u.formula == formula; });
}

void DependentIndex::remove_table(CellKey cell) { std::erase(tables_, cell); }

void DependentIndex::dependents(CellKey cell, std::vector<CellKey>& out) const {
  out.insert(out.end(), tables_.begin(), tables_.end());
  if (auto it = cells_.find(cell); it != cells_.end()) out.insert(out.end(), it->second.begin(), it->second.end());
  const int sheet = key_sheet(cell);
  const model::CellRef at = key_cell(cell);
  for (const RangeUse& u : ranges_)
    if (u.area.sheet == sheet && u.area.range.contains(at)) out.push_back(u.formula);
}

void DependentIndex::clear() {
  cells_.clear();
  ranges_.clear();
  tables_.clear();
}

}  // namespace tabrel::formula
