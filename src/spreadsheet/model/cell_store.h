#pragma once
// The cells of one sheet, kept in row-major order (row, then column).
//
// Cells with a value, a formula or a rich text are map nodes. Formatted blank cells - a format
// and nothing else, which files store as runs of whole rows - are kept as runs of consecutive
// positions with one format each, a few bytes per run whatever its length. Iteration shows both
// kinds as cells in row-major order; changing a cell of a run (at, put, find for editing) makes
// it a cell of its own first.

#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <memory_resource>
#include <optional>

#include "spreadsheet/model/cell.h"
#include "spreadsheet/model/node_pool.h"

namespace tabrel::model {

class CellStore {
  using Map = std::pmr::map<uint32_t, Cell>;
  // A run of formatted blank cells: keyed by its first position's key, `last` its last key.
  struct Run {
    uint32_t last;
    uint16_t xf;
  };
  using Runs = std::pmr::map<uint32_t, Run>;

 public:
  CellStore();
  CellStore(const CellStore& other);
  CellStore(CellStore&& other) noexcept;
  CellStore& operator=(const CellStore& other);
  CellStore& operator=(CellStore&& other) noexcept;
  ~CellStore();

  const Cell* find(CellRef c) const;
  // The cell at c for editing (a cell of a blank run becomes a cell of its own); null when absent.
  Cell* find(CellRef c);
  // The cell at c, created blank (with the given XF) when absent.
  Cell& at(CellRef c, uint16_t xf_if_new = 15);
  void put(CellRef c, Cell cell);
  // A formatted blank cell at c, joining the run that ends just before it when the format is the
  // same (as readers add cells in row-major order, a row of blanks becomes one run).
  void put_blank(CellRef c, uint16_t xf);
  void erase(CellRef c);
  size_t size() const { return cells_.size() + run_cells_; }
  bool empty() const { return size() == 0; }

  static CellRef position(uint32_t key) { return CellRef{static_cast<int>(key >> 8), static_cast<int>(key & 0xFF)}; }
  static uint32_t key(CellRef c) { return (static_cast<uint32_t>(c.row) << 8) | static_cast<uint32_t>(c.col); }

  // One cell as iteration shows it: `first` its key (position() decodes it), `second` the cell.
  struct Entry {
    uint32_t first;
    const Cell& second;
  };

  // Row-major iteration over every cell, blank runs included. The cells seen stay valid until
  // the store changes.
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Entry;
    using difference_type = std::ptrdiff_t;
    using reference = Entry;
    struct pointer {
      Entry entry;
      const Entry* operator->() const { return &entry; }
    };

    const_iterator() = default;
    Entry operator*() const;
    pointer operator->() const { return pointer{**this}; }
    const_iterator& operator++();
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++*this;
      return before;
    }
    friend bool operator==(const const_iterator& a, const const_iterator& b) {
      return a.cell_ == b.cell_ && a.run_ == b.run_ && a.run_key_ == b.run_key_;
    }

   private:
    friend class CellStore;
    const_iterator(const CellStore* store, Map::const_iterator cell, Runs::const_iterator run, uint32_t run_key)
        : store_(store), cell_(cell), run_(run), run_key_(run_key) {}
    bool at_run() const;

    const CellStore* store_ = nullptr;
    Map::const_iterator cell_;
    Runs::const_iterator run_;
    uint32_t run_key_ = 0;  // the position within run_ (0 at the runs' end)
  };

  const_iterator begin() const;
  const_iterator end() const;
  // First cell at or after c in row-major order.
  const_iterator lower_bound(CellRef c) const;

  // The row of the last cell; nullopt when empty.
  std::optional<int> last_row() const;
  // The smallest range holding every cell (with a value or a format); nullopt when empty.
  std::optional<RangeRef> used_range() const;

 private:
  // Leaves this store empty with a fresh pool (after its cells moved elsewhere).
  void reset_empty();
  void copy_runs(const CellStore& other);
  Runs::iterator run_containing(uint32_t k);
  Runs::const_iterator run_containing(uint32_t k) const;
  // Takes position k out of the run holding it; returns that run's format when there was one.
  std::optional<uint16_t> cut_from_runs(uint32_t k);
  const Cell& blank_cell(uint16_t xf) const;

  std::unique_ptr<NodePool> pool_;  // before the maps: made first, released last
  std::unique_ptr<NodePool> run_pool_;
  Map cells_;
  Runs runs_;
  size_t run_cells_ = 0;
  // One blank cell per format used by runs: what find and iteration show for a cell of a run.
  std::map<uint16_t, Cell> blanks_;
};

}  // namespace tabrel::model
