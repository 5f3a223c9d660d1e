#pragma once
// Which formula cells read which cells, for marking dependents stale after a change: small
// precedent areas are indexed cell by cell, large ones kept as areas, and data-table cells
// depend on everything. Cells are keys of `cell_key` (sheet and position).

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "spreadsheet/formula/value.h"
#include "spreadsheet/model/cell_store.h"

namespace tabrel::formula {

using CellKey = uint64_t;

inline CellKey cell_key(int sheet, model::CellRef c) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(sheet)) << 32) | model::CellStore::key(c);
}
inline int key_sheet(CellKey k) { return static_cast<int>(k >> 32); }
inline model::CellRef key_cell(CellKey k) { return model::CellStore::position(static_cast<uint32_t>(k)); }

class DependentIndex {
 public:
  void add(CellKey formula, const std::vector<Area>& precedents);
  void remove(CellKey formula, const std::vector<Area>& precedents);
  void add_table(CellKey cell) { tables_.push_back(cell); }
  void remove_table(CellKey cell);
  // The formula cells that read `cell` (a cell may appear more than once).
  void dependents(CellKey cell, std::vector<CellKey>& out) const;
  void clear();

 private:
  static constexpr long long kCellByCell = 64;
  struct RangeUse {
    Area area;
    CellKey formula;
  };
  std::unordered_map<CellKey, std::vector<CellKey>> cells_;
  std::vector<RangeUse> ranges_;
  std::vector<CellKey> tables_;
};

}  // namespace tabrel::formula
