#include "spreadsheet/ops/conditional_formats.h"

#include "spreadsheet/ops/range_math.h"

namespace tabrel::ops {

void remove_conditional_formats(model::Sheet& sheet, const model::RangeRef& range) {
  for (auto& cf : sheet.conditional_formats) {
    std::vector<model::RangeRef> kept;
    for (const auto& r : cf.ranges) {
      auto parts = subtract(r, range);
      kept.insert(kept.end(), parts.begin(), parts.end());
    }
    cf.ranges = std::move(kept);
  }
  std::erase_if(sheet.conditional_formats, [](const model::CondFormat& cf) { return cf.ranges.empty(); });
}

}  // namespace tabrel::ops
