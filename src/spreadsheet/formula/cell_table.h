#pragma once
// Records kept per cell of a workbook (the engine's analysis of each formula cell), found by the
// cell's key: sheets by index, rows by number, and in each row a small sorted index of (column,
// record) entries, as the cell store keeps cells. A lookup reads two arrays and searches one row;
// cells looked up in row-major order, as recalculation mostly does, stay in the same few cache
// lines. Records sit in chunks that never move, so a record's address stays valid until that
// record is erased or the table cleared.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "spreadsheet/formula/dependents.h"

namespace tabrel::formula {

template <class T>
class CellTable {
 public:
  T* find(CellKey k) {
    const Place p = place(k);
    if (p.sheet >= sheets_.size() || p.row >= sheets_[p.sheet].size()) return nullptr;
    const std::vector<uint64_t>& row = sheets_[p.sheet][p.row];
    const auto it = std::lower_bound(row.begin(), row.end(), uint64_t{p.col} << 32);
    return it != row.end() && (*it >> 32) == p.col ? &record(static_cast<uint32_t>(*it)) : nullptr;
  }

  // The record at k, replaced by `value` when there is one.
  T& insert(CellKey k, T value) {
    if (T* found = find(k)) return *found = std::move(value);
    const Place p = place(k);
    if (p.sheet >= sheets_.size()) sheets_.resize(p.sheet + 1);
    std::vector<std::vector<uint64_t>>& rows = sheets_[p.sheet];
    if (p.row >= rows.size()) rows.resize(p.row + 1);
    std::vector<uint64_t>& row = rows[p.row];
    const uint32_t index = new_record();
    record(index) = std::move(value);
    // Cells are mostly added in row-major order: then the row's end is the place.
    const auto at = row.empty() || (row.back() >> 32) < p.col ? row.end() : std::lower_bound(row.begin(), row.end(), uint64_t{p.col} << 32);
    row.insert(at, uint64_t{p.col} << 32 | index);
    ++size_;
    return record(index);
  }

  void erase(CellKey k) {
    const Place p = place(k);
    if (p.sheet >= sheets_.size() || p.row >= sheets_[p.sheet].size()) return;
    std::vector<uint64_t>& row = sheets_[p.sheet][p.row];
    const auto it = std::lower_bound(row.begin(), row.end(), uint64_t{p.col} << 32);
    if (it == row.end() || (*it >> 32) != p.col) return;
    const auto index = static_cast<uint32_t>(*it);
    record(index) = T{};
    free_.push_back(index);
    row.erase(it);
    --size_;
  }

  void clear() {
    sheets_.clear();
    chunks_.clear();
    free_.clear();
    used_ = 0;
    size_ = 0;
  }

  size_t size() const { return size_; }

  // Calls f(key, record) for every record, in key order (sheet, row, column).
  template <class F>
  void for_each(F&& f) {
    for (size_t s = 0; s < sheets_.size(); ++s)
      for (size_t r = 0; r < sheets_[s].size(); ++r)
        for (const uint64_t entry : sheets_[s][r])
          f(static_cast<CellKey>(s) << 32 | static_cast<CellKey>(r) << 8 | (entry >> 32), record(static_cast<uint32_t>(entry)));
  }

 private:
  static constexpr size_t kChunk = 1024;
  struct Place {
    size_t sheet;
    size_t row;
    uint32_t col;
  };
  static Place place(CellKey k) {
    const model::CellRef c = key_cell(k);
    return {static_cast<size_t>(k >> 32), static_cast<size_t>(c.row), static_cast<uint32_t>(c.col)};
  }
  T& record(uint32_t index) { return chunks_[index / kChunk][index % kChunk]; }
  uint32_t new_record() {
    if (!free_.empty()) {
      const uint32_t index = free_.back();
      free_.pop_back();
      return index;
    }
    if (used_ % kChunk == 0) chunks_.push_back(std::make_unique<T[]>(kChunk));
    return used_++;
  }

  std::vector<std::vector<std::vector<uint64_t>>> sheets_;  // by sheet, by row: column << 32 | record
  std::vector<std::unique_ptr<T[]>> chunks_;
  std::vector<uint64_t> free_;
  uint32_t used_ = 0;  // records ever handed out (free ones included)
  size_t size_ = 0;
};

}  // namespace tabrel::formula
