#pragma once
// The cells of one sheet, kept in row-major order (row, then column).

#include <cstdint>
#include <map>
#include <memory>
#include <memory_resource>

#include "spreadsheet/model/cell.h"
#include "spreadsheet/model/node_pool.h"

namespace tabrel::model {

class CellStore {
 public:
  CellStore();
  CellStore(const CellStore& other);
  CellStore(CellStore&& other) noexcept;
  CellStore& operator=(const CellStore& other);
  CellStore& operator=(CellStore&& other) noexcept;
  ~CellStore();

  const Cell* find(CellRef c) const;
  Cell* find(CellRef c);
  // The cell at c, created blank (with the given XF) when absent.
  Cell& at(CellRef c, uint16_t xf_if_new = 15);
  void put(CellRef c, Cell cell);
  void erase(CellRef c);
  size_t size() const { return cells_.size(); }
  bool empty() const { return cells_.empty(); }

  // Row-major iteration over (key, cell); key() decodes the position.
  // The cells' nodes come from a pool of the store's own, released all at once with it.
  using Map = std::pmr::map<uint32_t, Cell>;
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
  using Pool = NodePool;
  // Leaves this store empty with a fresh pool (after its cells moved elsewhere).
  void reset_empty();

  std::unique_ptr<Pool> pool_;  // before cells_: made first, released last
  Map cells_;
};

}  // namespace tabrel::model
