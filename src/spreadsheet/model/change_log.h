#pragma once
// The cells of one sheet whose value or formula an operation changed since the recalculation
// engine last looked. The engine takes the list at its next read, so a read that follows no
// change costs nothing extra. The list never holds more entries than the sheet could need: past
// that it becomes "everything changed".

#include <cstdint>
#include <vector>

#include "spreadsheet/model/cell_ref.h"

namespace tabrel::model {

class ChangeLog {
 public:
  // `cells_in_sheet` bounds the list: more changes than cells mean the whole sheet.
  void mark(CellRef cell, size_t cells_in_sheet);
  bool empty() const { return keys_.empty() && !everything_; }
  bool everything() const { return everything_; }
  // The changed cells' store keys (CellStore::key), in the order they changed.
  const std::vector<uint32_t>& keys() const { return keys_; }
  void clear();

 private:
  std::vector<uint32_t> keys_;
  bool everything_ = false;
};

}  // namespace tabrel::model
