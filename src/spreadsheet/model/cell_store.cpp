#include "spreadsheet/model/cell_store.h"

#include <algorithm>

namespace tabrel::model {

namespace {

constexpr int kLastColumn = 0xFF;

}  // namespace

CellStore::CellStore()
    : pool_(std::make_unique<NodePool>()),
      run_pool_(std::make_unique<NodePool>()),
      cells_(pool_.get()),
      runs_(run_pool_.get()) {}

CellStore::CellStore(const CellStore& other)
    : pool_(std::make_unique<NodePool>()),
      run_pool_(std::make_unique<NodePool>()),
      cells_(other.cells_, pool_.get()),
      runs_(other.runs_, run_pool_.get()),
      run_cells_(other.run_cells_),
      blanks_(other.blanks_) {}

CellStore::CellStore(CellStore&& other) noexcept
    : pool_(std::move(other.pool_)),
      run_pool_(std::move(other.run_pool_)),
      cells_(std::move(other.cells_)),
      runs_(std::move(other.runs_)),
      run_cells_(other.run_cells_),
      blanks_(std::move(other.blanks_)) {
  other.reset_empty();
}

CellStore& CellStore::operator=(const CellStore& other) {
  if (this != &other) *this = CellStore(other);
  return *this;
}

CellStore& CellStore::operator=(CellStore&& other) noexcept {
  if (this == &other) return *this;
  std::destroy_at(&runs_);
  std::destroy_at(&cells_);
  pool_ = std::move(other.pool_);
  run_pool_ = std::move(other.run_pool_);
  std::construct_at(&cells_, std::move(other.cells_));
  std::construct_at(&runs_, std::move(other.runs_));
  run_cells_ = other.run_cells_;
  blanks_ = std::move(other.blanks_);
  other.reset_empty();
  return *this;
}

CellStore::~CellStore() = default;

void CellStore::reset_empty() {
  std::destroy_at(&runs_);
  std::destroy_at(&cells_);
  pool_ = std::make_unique<NodePool>();
  run_pool_ = std::make_unique<NodePool>();
  std::construct_at(&cells_, pool_.get());
  std::construct_at(&runs_, run_pool_.get());
  run_cells_ = 0;
  blanks_.clear();
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
  const uint32_t k = key(c);
  if (auto it = cells_.find(k); it != cells_.end()) return &it->second;
  const auto run = run_containing(k);
  return run == runs_.end() ? nullptr : &blank_cell(run->second.xf);
}

Cell* CellStore::find(CellRef c) {
  const uint32_t k = key(c);
  if (auto it = cells_.find(k); it != cells_.end()) return &it->second;
  const auto xf = cut_from_runs(k);
  if (!xf) return nullptr;
  Cell& cell = cells_[k];
  cell.xf = *xf;
  return &cell;
}

Cell& CellStore::at(CellRef c, uint16_t xf_if_new) {
  if (Cell* cell = find(c)) return *cell;
  Cell& cell = cells_[key(c)];
  cell.xf = xf_if_new;
  return cell;
}

void CellStore::put(CellRef c, Cell cell) {
  // Readers add cells in row-major order: the end is then the right place without a search.
  const uint32_t k = key(c);
  cut_from_runs(k);
  const auto hint = !cells_.empty() && cells_.rbegin()->first < k ? cells_.end() : cells_.lower_bound(k);
  cells_.insert_or_assign(hint, k, std::move(cell));
}

void CellStore::put_blank(CellRef c, uint16_t xf) {
  const uint32_t k = key(c);
  blanks_.try_emplace(xf).first->second.xf = xf;
  cells_.erase(k);  // a later record for a cell replaces the earlier one
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
  const uint32_t k = key(c);
  if (cells_.erase(k) == 0) cut_from_runs(k);
}

CellStore::const_iterator CellStore::begin() const {
  return {this, cells_.begin(), runs_.begin(), runs_.empty() ? 0 : runs_.begin()->first};
}

CellStore::const_iterator CellStore::end() const { return {this, cells_.end(), runs_.end(), 0}; }

CellStore::const_iterator CellStore::lower_bound(CellRef c) const {
  const uint32_t k = key(c);
  auto run = run_containing(k);
  uint32_t run_key = k;
  if (run == runs_.end()) {
    run = runs_.lower_bound(k);
    run_key = run == runs_.end() ? 0 : run->first;
  }
  return {this, cells_.lower_bound(k), run, run_key};
}

bool CellStore::const_iterator::at_run() const {
  if (run_ == store_->runs_.end()) return false;
  return cell_ == store_->cells_.end() || run_key_ < cell_->first;
}

CellStore::Entry CellStore::const_iterator::operator*() const {
  if (at_run()) return Entry{run_key_, store_->blank_cell(run_->second.xf)};
  return Entry{cell_->first, cell_->second};
}

CellStore::const_iterator& CellStore::const_iterator::operator++() {
  if (!at_run()) {
    ++cell_;
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
  uint32_t last = 0;
  if (!cells_.empty()) last = cells_.rbegin()->first;
  if (!runs_.empty()) last = std::max(last, runs_.rbegin()->second.last);
  return position(last).row;
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
  for (const auto& [k, cell] : cells_) take(position(k), position(k));
  for (const auto& [first, run] : runs_) {
    // A run over more than one row covers whole rows between its ends.
    if (position(first).row != position(run.last).row) take({position(first).row, 0}, {position(run.last).row, kLastColumn});
    take(position(first), position(run.last));
  }
  return r;
}

}  // namespace tabrel::model
