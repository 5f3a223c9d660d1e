#pragma once
// The commonest per-cell test: read one or more properties of the answer's and the target's
// active cells and list the cell when any of the comparisons, joined by "or", differs.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "inspect/cell_walk.h"
#include "inspect/compare.h"

namespace tabrel::inspect {

using CellProperty = std::function<Variant(xl::Range&)>;

struct PropertyComparison {
  CellProperty read;
  Comparison how;
};

// The comparisons of the visited cell joined by "or"; every one is evaluated, and a read that
// fails raises.
Differs differs_any(const VisitedCell& cell, std::initializer_list<PropertyComparison> comparisons);

// The cell walk listing the cells where differs_any() reports a difference or fails.
std::u16string compare_properties(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                                  std::initializer_list<PropertyComparison> comparisons);

}  // namespace tabrel::inspect
