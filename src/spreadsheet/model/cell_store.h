#pragma once
// The cells of one sheet, kept in row-major order (row, then column).
//
// Cells with a value, a formula or a rich text live in slots of a pool that grows in chunks and
// never moves them; each row keeps a small sorted index of (column, slot) entries, and the rows
// are indexed directly by row number, so finding a cell is two array reads and a short search in
// its row, and a row-major walk reads the cells in the order they were added. A stored cell takes
// its 24-byte slot and a 4-byte index entry, plus its share of its row's 16-byte header and
// index block: at most 64 bytes per cell however the cells fall into rows (an empty row above the
// last filled one costs a 16-byte header, and the pool's newest chunk is reserved, not yet used).
//
// Formatted blank cells - a format and nothing else, which files store as runs of whole rows - are
// kept as runs of consecutive positions with one format each, a few bytes per run whatever its
// length. Iteration shows both kinds as cells in row-major order; changing a cell of a run (at,
// put, find for editing) makes it a cell of its own first.
//
// What stays valid: a `Cell*` or `Cell&` returned by find or at stays valid while other cells are
// added, changed or erased, and across a move of the whole store; it is invalidated by erasing
// that cell, by put or put_blank at its position, and by assigning to the store. What find shows
// for a cell of a blank run is shared by the run and is only for reading. Iterators and the
// entries they show are valid until the store changes.

#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <memory_resource>
#include <optional>
#include <vector>

#include "spreadsheet/model/cell.h"
#include "spreadsheet/model/node_pool.h"

namespace tabrel::model {

class CellStore {
  // A run of formatted blank cells: keyed by its first position's key, `last` its last key.
  struct Run {
    uint32_t last;
    uint16_t xf;
  };
  using Runs = std::pmr::map<uint32_t, Run>;

  // One row's index: entries `column << 24 | slot`, sorted (so by column). The first entry sits
  // in `local`; a row of more cells keeps them all in a block of `capacity` entries.
  struct Row {
    uint32_t* block = nullptr;
    uint16_t size = 0;
    uint16_t capacity = 1;
    uint32_t local = 0;
    uint32_t* entries() { return block ? block : &local; }
    const uint32_t* entries() const { return block ? block : &local; }
  };

  // A pool slot: a live cell, or the index of the next free slot.
  union Slot {
    Slot() {}
    ~Slot() {}
    Cell cell;
    uint32_t next_free;
  };

 public:
  CellStore();
  CellStore(const CellStore& other);
  CellStore(CellStore&& other) noexcept;
  CellStore& operator=(const CellStore& other);
  CellStore& operator=(CellStore&& other) noexcept;
  ~CellStore();

  const Cell* find(CellRef c) const;
  // The cell at c unless it belongs to a blank run, whose cells hold a format and nothing else:
  // what a reader of values alone needs, without a search of the runs. Null otherwise.
  const Cell* find_stored(CellRef c) const { return stored(c); }
  // The cell at c for editing (a cell of a blank run becomes a cell of its own); null when absent.
  Cell* find(CellRef c);
  // The cell at c, created blank (with the given XF) when absent.
  Cell& at(CellRef c, uint16_t xf_if_new = 15);
  void put(CellRef c, Cell cell);
  // A formatted blank cell at c, joining the run that ends just before it when the format is the
  // same (as readers add cells in row-major order, a row of blanks becomes one run).
  void put_blank(CellRef c, uint16_t xf);
  void erase(CellRef c);
  size_t size() const { return cell_count_ + run_cells_; }
  bool empty() const { return size() == 0; }

  static CellRef position(uint32_t key) { return CellRef{static_cast<int>(key >> 8), static_cast<int>(key & 0xFF)}; }
  static uint32_t key(CellRef c) { return (static_cast<uint32_t>(c.row) << 8) | static_cast<uint32_t>(c.col); }

  // One cell as iteration shows it: `first` its key (position() decodes it), `second` the cell.
  struct Entry {
    uint32_t first;
    const Cell& second;
  };

  // Row-major iteration over every cell, blank runs included.
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
      return a.row_ == b.row_ && a.index_ == b.index_ && a.run_ == b.run_ && a.run_key_ == b.run_key_;
    }

   private:
    friend class CellStore;
    const_iterator(const CellStore* store, uint32_t row, uint32_t index, Runs::const_iterator run, uint32_t run_key)
        : store_(store), row_(row), index_(index), run_(run), run_key_(run_key) {}
    // The key of the stored cell the iterator is at (past every key at the cells' end).
    uint64_t cell_key() const;
    bool at_run() const;

    const CellStore* store_ = nullptr;
    uint32_t row_ = kNoRow;  // the row of the next stored cell (kNoRow at the cells' end)
    uint32_t index_ = 0;     // its place in that row's index
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
  static constexpr uint32_t kNoRow = 0x10000;
  // Chunk 0 holds slots 0-255, chunk n > 0 slots 2^(n+7) to 2^(n+8)-1: 17 chunks hold every cell
  // a sheet can have.
  static constexpr size_t kChunks = 17;

  Slot& slot(uint32_t s) const;
  uint32_t new_slot();
  // The stored cell at c, or null (blank runs not looked at).
  Cell* stored(CellRef c) const;
  // The stored cell at c, created with the given XF when absent.
  Cell& stored_or_new(CellRef c, uint16_t xf);
  // Removes the stored cell at c; false when there is none.
  bool erase_stored(CellRef c);
  // The first row at or after `row` holding stored cells; kNoRow when none.
  uint32_t next_row(uint32_t row) const;
  void mark_row(uint32_t row, bool filled);
  void release();
  void take(CellStore& other) noexcept;

  void copy_runs(const CellStore& other);
  Runs::iterator run_containing(uint32_t k);
  Runs::const_iterator run_containing(uint32_t k) const;
  // Takes position k out of the run holding it; returns that run's format when there was one.
  std::optional<uint16_t> cut_from_runs(uint32_t k);
  const Cell& blank_cell(uint16_t xf) const;

  std::array<std::unique_ptr<Slot[]>, kChunks> chunks_;
  uint32_t slots_used_ = 0;           // slots ever handed out (free ones included)
  uint32_t free_slot_ = UINT32_MAX;   // the last freed slot, the head of the free list
  size_t cell_count_ = 0;
  std::vector<Row> rows_;             // by row number, up to the last row holding a stored cell
  std::vector<uint64_t> filled_rows_;  // one bit per row: the row holds stored cells

  std::unique_ptr<NodePool> run_pool_;  // before the runs: made first, released last
  Runs runs_;
  size_t run_cells_ = 0;
  // One blank cell per format used by runs: what find and iteration show for a cell of a run.
  std::map<uint16_t, Cell> blanks_;
};

}  // namespace tabrel::model
