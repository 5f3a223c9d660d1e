#include "spreadsheet/ops/merge.h"

#include <vector>

#include "spreadsheet/ops/clear.h"
#include "spreadsheet/ops/range_math.h"

namespace tabrel::ops {

void merge(model::Sheet& sheet, const model::RangeRef& range) {
  if (range.cell_count() < 2) return;
  unmerge(sheet, range);
  std::vector<model::CellRef> others;
  for (const auto& [key, cell] : sheet.cells) {
    const model::CellRef at = model::CellStore::position(key);
    if (range.contains(at) && !(at == range.first)) others.push_back(at);
  }
  for (const auto& at : others) clear_contents(sheet, {at, at});
  sheet.merges.push_back(range);
}

void unmerge(model::Sheet& sheet, const model::RangeRef& range) {
  std::erase_if(sheet.merges, [&](const model::RangeRef& m) { return overlaps(m, range); });
}

}  // namespace tabrel::ops
