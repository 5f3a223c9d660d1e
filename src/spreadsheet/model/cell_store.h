#pragma once
// The cells of one sheet, kept in row-major order (row, then column).

#include <cstdint>
#include <map>

#include "spreadsheet/model/cell.h"

namespace tabrel::model {

class CellStore {
 public:
  const Cell* find(CellRef c) const;
  Cell* find(CellRef c);
  // The cell at c, created blank (with the given XF) when absent.
  Cell& at(CellRef c, uint16_t xf_if_new = 15);
  void put(CellRef c, Cell cell);
  void erase(CellRef c);
  size_t size() const { return cells_.size(); }
  bool empty() const { return cells_.empty(); }

  // Row-major iteration over (key, cell); key() decodes the position.
  using Map = std::map<uint32_t, Cell>;
  static CellRef position(uint32_t key) { return CellRef{static_cast<int>(key >> 8), static_cast<int>(key & 0xFF)}; }
  static uint32_t key(CellRef c) { return (static_cast<uint32_t>(c.row) << 8) | static_cast<uint32_t>(c.col); }
  Map::const_iterator begin() const { return cells_.begin(); }
  Map::const_iterator end() const { return cells_.end(); }
  Map::iterator begin() { return cells_.begin(); }
  Map::iterator end() { return cells_.end(); }
  // First cell at or after c in row-major order.
  Map::const_iterator lower_bound(CellRef c) const { return cells_.lower_bound(key(c)); }

  // The smallest range holding every cell (with a value or a format); nullopt when empty.
  std::optional<RangeRef> used_range() const;

 private:
  Map cells_;
};

}  // namespace tabrel::model
