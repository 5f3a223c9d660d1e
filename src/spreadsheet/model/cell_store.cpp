#include "spreadsheet/model/cell_store.h"

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <utility>

namespace tabrel::model {

namespace {

constexpr int kLastColumn = 0xFF;
constexpr uint32_t kNoSlot = UINT32_MAX;

uint32_t column_of(uint32_t entry) { return entry >> 24; }
uint32_t slot_of(uint32_t entry) { return entry & 0xFFFFFF; }
uint32_t entry_for(uint32_t column, uint32_t slot) { return column << 24 | slot; }

size_t chunk_of(uint32_t slot) { return static_cast<size_t>(std::bit_width(slot | 0xFFu)) - 8; }
uint32_t chunk_base(size_t chunk) { return (1u << (chunk + 7)) & ~0xFFu; }
uint32_t chunk_size(size_t chunk) { return chunk == 0 ? 0x100 : 1u << (chunk + 7); }

bool inside(CellRef c) { return c.row >= 0 && c.row < kMaxRows && c.col >= 0 && c.col <= kLastColumn; }

}  // namespace

CellStore::CellStore() : run_pool_(std::make_unique<NodePool>()), runs_(run_pool_.get()) {}

CellStore::CellStore(const CellStore& other) : CellStore() {
  rows_.resize(other.rows_.size());
  filled_rows_ = other.filled_rows_;
  for (uint32_t row = other.next_row(0); row != kNoRow; row = other.next_row(row + 1)) {
    const Row& from = other.rows_[row];
    Row& to = rows_[row];
    if (from.size > 1) {
      to.block = new uint32_t[from.capacity];
      to.capacity = from.capacity;
    }
    for (const uint32_t* e = from.entries(); e != from.entries() + from.size; ++e) {
      const uint32_t s = new_slot();
      std::construct_at(&slot(s).cell, other.slot(slot_of(*e)).cell);
      to.entries()[to.size++] = entry_for(column_of(*e), s);
      ++cell_count_;
    }
  }
  copy_runs(other);
}

CellStore::CellStore(CellStore&& other) noexcept : CellStore() { take(other); }

CellStore& CellStore::operator=(const CellStore& other) {
  if (this != &other) *this = CellStore(other);
  return *this;
}

CellStore& CellStore::operator=(CellStore&& other) noexcept {
  if (this == &other) return *this;
  release();
  take(other);
  return *this;
}

CellStore::~CellStore() { release(); }

void CellStore::copy_runs(const CellStore& other) {
  runs_ = other.runs_;
  run_cells_ = other.run_cells_;
  blanks_ = other.blanks_;
}

void CellStore::release() {
  for (uint32_t row = next_row(0); row != kNoRow; row = next_row(row + 1)) {
    Row& r = rows_[row];
    for (const uint32_t* e = r.entries(); e != r.entries() + r.size; ++e) std::destroy_at(&slot(slot_of(*e)).cell);
    delete[] r.block;
  }
  rows_.clear();
  filled_rows_.clear();
  for (auto& chunk : chunks_) chunk.reset();
  slots_used_ = 0;
  free_slot_ = kNoSlot;
  cell_count_ = 0;
}

void CellStore::take(CellStore& other) noexcept {
  chunks_ = std::move(other.chunks_);
  slots_used_ = std::exchange(other.slots_used_, 0);
  free_slot_ = std::exchange(other.free_slot_, kNoSlot);
  cell_count_ = std::exchange(other.cell_count_, 0);
  rows_ = std::exchange(other.rows_, {});
  filled_rows_ = std::exchange(other.filled_rows_, {});

  std::destroy_at(&runs_);
  run_pool_ = std::move(other.run_pool_);
  std::construct_at(&runs_, std::move(other.runs_));
  run_cells_ = std::exchange(other.run_cells_, 0);
  blanks_ = std::exchange(other.blanks_, {});
  std::destroy_at(&other.runs_);
  other.run_pool_ = std::make_unique<NodePool>();
  std::construct_at(&other.runs_, other.run_pool_.get());
}

CellStore::Slot& CellStore::slot(uint32_t s) const {
  const size_t chunk = chunk_of(s);
  return chunks_[chunk][s - chunk_base(chunk)];
}

uint32_t CellStore::new_slot() {
  if (free_slot_ != kNoSlot) {
    const uint32_t s = free_slot_;
    free_slot_ = slot(s).next_free;
    return s;
  }
  // Live cells never outnumber a sheet's positions (2^24) and freed slots go first, so the
  // slots ever used stay below 2^24 too.
  const uint32_t s = slots_used_;
  const size_t chunk = chunk_of(s);
  if (!chunks_[chunk]) chunks_[chunk] = std::make_unique<Slot[]>(chunk_size(chunk));
  ++slots_used_;
  return s;
}

Cell* CellStore::stored(CellRef c) const {
  if (!inside(c) || static_cast<size_t>(c.row) >= rows_.size()) return nullptr;
  const Row& r = rows_[static_cast<size_t>(c.row)];
  const uint32_t* first = r.entries();
  const uint32_t* last = first + r.size;
  const uint32_t* it = std::lower_bound(first, last, entry_for(static_cast<uint32_t>(c.col), 0));
  if (it == last || column_of(*it) != static_cast<uint32_t>(c.col)) return nullptr;
  return &slot(slot_of(*it)).cell;
}

Cell& CellStore::stored_or_new(CellRef c, uint16_t xf) {
  if (!inside(c)) throw std::out_of_range("cell position outside the sheet");
  const auto row = static_cast<uint32_t>(c.row);
  const auto col = static_cast<uint32_t>(c.col);
  if (row >= rows_.size()) {
    rows_.resize(row + 1);
    filled_rows_.resize(row / 64 + 1);
  }
  Row& r = rows_[row];
  uint32_t* first = r.entries();
  uint32_t* last = first + r.size;
  // Readers add cells in row-major order: the row's end is then the right place without a search.
  uint32_t* it = r.size == 0 || column_of(last[-1]) < col ? last : std::lower_bound(first, last, entry_for(col, 0));
  if (it != last && column_of(*it) == col) return slot(slot_of(*it)).cell;

  const auto place = static_cast<size_t>(it - first);
  if (r.size == r.capacity) {
    const auto capacity = static_cast<uint16_t>(r.capacity == 1 ? 4 : r.capacity * 2);
    auto* block = new uint32_t[capacity];
    std::copy_n(r.entries(), r.size, block);
    delete[] r.block;
    r.block = block;
    r.capacity = capacity;
  }
  const uint32_t s = new_slot();
  Cell& cell = *std::construct_at(&slot(s).cell);
  cell.xf = xf;
  uint32_t* entries = r.entries();
  std::copy_backward(entries + place, entries + r.size, entries + r.size + 1);
  entries[place] = entry_for(col, s);
  if (r.size++ == 0) mark_row(row, true);
  ++cell_count_;
  return cell;
}

bool CellStore::erase_stored(CellRef c) {
  if (!inside(c) || static_cast<size_t>(c.row) >= rows_.size()) return false;
  Row& r = rows_[static_cast<size_t>(c.row)];
  uint32_t* first = r.entries();
  uint32_t* last = first + r.size;
  uint32_t* it = std::lower_bound(first, last, entry_for(static_cast<uint32_t>(c.col), 0));
  if (it == last || column_of(*it) != static_cast<uint32_t>(c.col)) return false;
  const uint32_t s = slot_of(*it);
  std::destroy_at(&slot(s).cell);
  slot(s).next_free = free_slot_;
  free_slot_ = s;
  std::copy(it + 1, last, it);
  --cell_count_;
  if (--r.size == 0) {
    delete[] r.block;
    r = Row{};
    mark_row(static_cast<uint32_t>(c.row), false);
  }
  return true;
}

uint32_t CellStore::next_row(uint32_t row) const {
  size_t word = row / 64;
  if (word >= filled_rows_.size()) return kNoRow;
  uint64_t bits = filled_rows_[word] & (~uint64_t{0} << (row % 64));
  while (bits == 0) {
    if (++word == filled_rows_.size()) return kNoRow;
    bits = filled_rows_[word];
  }
  return static_cast<uint32_t>(word * 64 + static_cast<size_t>(std::countr_zero(bits)));
}

void CellStore::mark_row(uint32_t row, bool filled) {
  const uint64_t bit = uint64_t{1} << (row % 64);
  if (filled) filled_rows_[row / 64] |= bit;
  else filled_rows_[row / 64] &= ~bit;
}

CellStore::Runs::iterator CellStore::run_containing(uint32_t k) {
  auto it = runs_.upper_bound(k);
  if (it == runs_.begin()) return runs_.end();
  --it;
  return it->second.last >= k ? it : runs_.end();
}

CellStore::Runs::const_iterator CellStore::run_containing(uint32_t k) const {
  auto it = runs_.upper_bound(k);
  if (it == runs_.begin()) return runs_.end();
  --it;
  return it->second.last >= k ? it : runs_.end();
}

std::optional<uint16_t> CellStore::cut_from_runs(uint32_t k) {
  if (runs_.empty() || runs_.rbegin()->second.last < k) return std::nullopt;
  const auto it = run_containing(k);
  if (it == runs_.end()) return std::nullopt;
  const uint32_t first = it->first;
  const Run run = it->second;
  runs_.erase(it);
  --run_cells_;
  if (first < k) runs_.emplace(first, Run{k - 1, run.xf});
  if (k < run.last) runs_.emplace(k + 1, Run{run.last, run.xf});
  return run.xf;
}

const Cell& CellStore::blank_cell(uint16_t xf) const { return blanks_.find(xf)->second; }

const Cell* CellStore::find(CellRef c) const {
  if (const Cell* cell = stored(c)) return cell;
  if (runs_.empty() || !inside(c)) return nullptr;
  const auto run = run_containing(key(c));
  return run == runs_.end() ? nullptr : &blank_cell(run->second.xf);
}

Cell* CellStore::find(CellRef c) {
  if (Cell* cell = stored(c)) return cell;
  if (!inside(c)) return nullptr;
  const auto xf = cut_from_runs(key(c));
  return xf ? &stored_or_new(c, *xf) : nullptr;
}

Cell& CellStore::at(CellRef c, uint16_t xf_if_new) {
  if (Cell* cell = find(c)) return *cell;
  return stored_or_new(c, xf_if_new);
}

void CellStore::put(CellRef c, Cell cell) {
  if (!inside(c)) throw std::out_of_range("cell position outside the sheet");
  cut_from_runs(key(c));
  stored_or_new(c, cell.xf) = std::move(cell);
}

void CellStore::put_blank(CellRef c, uint16_t xf) {
  if (!inside(c)) throw std::out_of_range("cell position outside the sheet");
  const uint32_t k = key(c);
  blanks_.try_emplace(xf).first->second.xf = xf;
  erase_stored(c);  // a later record for a cell replaces the earlier one
  if (!runs_.empty()) {
    Run& last = runs_.rbegin()->second;
    if (last.last + 1 == k && last.xf == xf) {
      last.last = k;
      ++run_cells_;
      return;
    }
  }
  cut_from_runs(k);
  runs_.emplace(k, Run{k, xf});
  ++run_cells_;
}

void CellStore::erase(CellRef c) {
  if (!erase_stored(c) && inside(c)) cut_from_runs(key(c));
}

CellStore::const_iterator CellStore::begin() const {
  return {this, next_row(0), 0, runs_.begin(), runs_.empty() ? 0 : runs_.begin()->first};
}

CellStore::const_iterator CellStore::end() const { return {this, kNoRow, 0, runs_.end(), 0}; }

CellStore::const_iterator CellStore::lower_bound(CellRef c) const {
  CellRef from{std::max(c.row, 0), c.row < 0 ? 0 : std::max(c.col, 0)};
  if (from.col > kLastColumn) from = {from.row + 1, 0};
  if (from.row >= kMaxRows) return end();
  const uint32_t k = key(from);
  auto row = static_cast<uint32_t>(from.row);
  uint32_t index = 0;
  if (row < rows_.size()) {
    const Row& r = rows_[row];
    const uint32_t* first = r.entries();
    index = static_cast<uint32_t>(std::lower_bound(first, first + r.size, entry_for(static_cast<uint32_t>(from.col), 0)) - first);
    if (index == r.size) {
      row = next_row(row + 1);
      index = 0;
    }
  } else {
    row = kNoRow;
  }
  auto run = run_containing(k);
  uint32_t run_key = k;
  if (run == runs_.end()) {
    run = runs_.lower_bound(k);
    run_key = run == runs_.end() ? 0 : run->first;
  }
  return {this, row, index, run, run_key};
}

uint64_t CellStore::const_iterator::cell_key() const {
  if (row_ == kNoRow) return UINT64_MAX;
  return uint64_t{row_} << 8 | column_of(store_->rows_[row_].entries()[index_]);
}

bool CellStore::const_iterator::at_run() const {
  return run_ != store_->runs_.end() && run_key_ < cell_key();
}

CellStore::Entry CellStore::const_iterator::operator*() const {
  if (at_run()) return Entry{run_key_, store_->blank_cell(run_->second.xf)};
  const uint32_t entry = store_->rows_[row_].entries()[index_];
  return Entry{row_ << 8 | column_of(entry), store_->slot(slot_of(entry)).cell};
}

CellStore::const_iterator& CellStore::const_iterator::operator++() {
  if (!at_run()) {
    if (++index_ == store_->rows_[row_].size) {
      row_ = store_->next_row(row_ + 1);
      index_ = 0;
    }
    return *this;
  }
  if (run_key_ < run_->second.last) {
    ++run_key_;
    return *this;
  }
  ++run_;
  run_key_ = run_ == store_->runs_.end() ? 0 : run_->first;
  return *this;
}

std::optional<int> CellStore::last_row() const {
  if (empty()) return std::nullopt;
  int last = -1;
  for (size_t word = filled_rows_.size(); word-- > 0;) {
    if (filled_rows_[word] != 0) {
      last = static_cast<int>(word * 64 + 63 - static_cast<size_t>(std::countl_zero(filled_rows_[word])));
      break;
    }
  }
  if (!runs_.empty()) last = std::max(last, position(runs_.rbegin()->second.last).row);
  return last;
}

std::optional<RangeRef> CellStore::used_range() const {
  if (empty()) return std::nullopt;
  std::optional<RangeRef> r;
  auto take = [&](CellRef first, CellRef last) {
    if (!r) r = RangeRef{first, last};
    r->first.row = std::min(r->first.row, first.row);
    r->last.row = std::max(r->last.row, last.row);
    r->first.col = std::min({r->first.col, first.col, last.col});
    r->last.col = std::max({r->last.col, first.col, last.col});
  };
  for (uint32_t row = next_row(0); row != kNoRow; row = next_row(row + 1)) {
    const Row& cells = rows_[row];
    take({static_cast<int>(row), static_cast<int>(column_of(cells.entries()[0]))},
         {static_cast<int>(row), static_cast<int>(column_of(cells.entries()[cells.size - 1]))});
  }
  for (const auto& [first, run] : runs_) {
    // A run over more than one row covers whole rows between its ends.
    if (position(first).row != position(run.last).row) take({position(first).row, 0}, {position(run.last).row, kLastColumn});
    take(position(first), position(run.last));
  }
  return r;
}

}  // namespace tabrel::model
