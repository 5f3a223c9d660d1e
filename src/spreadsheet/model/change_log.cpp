#include "spreadsheet/model/change_log.h"

#include <algorithm>

#include "spreadsheet/model/cell_store.h"

namespace tabrel::model {

void ChangeLog::mark(CellRef cell, size_t cells_in_sheet) {
  if (everything_) return;
  constexpr size_t kSmallest = 1024;
  if (keys_.size() >= std::max(kSmallest, cells_in_sheet)) {
    keys_.clear();
    keys_.shrink_to_fit();
    everything_ = true;
    return;
  }
  keys_.push_back(CellStore::key(cell));
}

void ChangeLog::clear() {
  keys_.clear();
  everything_ = false;
}

}  // namespace tabrel::model
