#pragma once
// Rectangles of cells: overlap and difference.

#include <vector>

#include "spreadsheet/model/cell_ref.h"

namespace tabrel::ops {

bool overlaps(const model::RangeRef& a, const model::RangeRef& b);
// The parts of `area` outside `hole`, as at most four rectangles.
std::vector<model::RangeRef> subtract(const model::RangeRef& area, const model::RangeRef& hole);

}  // namespace tabrel::ops
