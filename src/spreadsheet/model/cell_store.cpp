#include "spreadsheet/model/cell_store.h"

#include <algorithm>

namespace tabrel::model {

CellStore::CellStore() : pool_(std::make_unique<Pool>()), cells_(pool_.get()) {}

CellStore::CellStore(const CellStore& other) : pool_(std::make_unique<Pool>()), cells_(other.cells_, pool_.get()) {}

CellStore::CellStore(CellStore&& other) noexcept : pool_(std::move(other.pool_)), cells_(std::move(other.cells_)) {
  other.reset_empty();
}

CellStore& CellStore::operator=(const CellStore& other) {
  if (this != &other) *this = CellStore(other);
  return *this;
}

CellStore& CellStore::operator=(CellStore&& other) noexcept {
  if (this == &other) return *this;
  std::destroy_at(&cells_);
  pool_ = std::move(other.pool_);
  std::construct_at(&cells_, std::move(other.cells_));
  other.reset_empty();
  return *this;
}

CellStore::~CellStore() = default;

void CellStore::reset_empty() {
  std::destroy_at(&cells_);
  pool_ = std::make_unique<Pool>();
  std::construct_at(&cells_, pool_.get());
}

const Cell* CellStore::find(CellRef c) const {
  auto it = cells_.find(key(c));
  return it == cells_.end() ? nullptr : &it->second;
}

Cell* CellStore::find(CellRef c) {
  auto it = cells_.find(key(c));
  return it == cells_.end() ? nullptr : &it->second;
}

Cell& CellStore::at(CellRef c, uint16_t xf_if_new) {
  auto [it, inserted] = cells_.try_emplace(key(c));
  if (inserted) it->second.xf = xf_if_new;
  return it->second;
}

void CellStore::put(CellRef c, Cell cell) {
  // Readers add cells in row-major order: the end is then the right place without a search.
  const uint32_t k = key(c);
  const auto hint = !cells_.empty() && cells_.rbegin()->first < k ? cells_.end() : cells_.lower_bound(k);
  cells_.insert_or_assign(hint, k, std::move(cell));
}

void CellStore::erase(CellRef c) { cells_.erase(key(c)); }

std::optional<RangeRef> CellStore::used_range() const {
  if (cells_.empty()) return std::nullopt;
  RangeRef r{position(cells_.begin()->first), position(cells_.rbegin()->first)};
  for (const auto& [k, cell] : cells_) {
    CellRef p = position(k);
    r.first.col = std::min(r.first.col, p.col);
    r.last.col = std::max(r.last.col, p.col);
  }
  return r;
}

}  // namespace tabrel::model
