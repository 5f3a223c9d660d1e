#include "inspect/property_walk.h"

namespace tabrel::inspect {

Differs differs_any(const VisitedCell& cell, std::initializer_list<PropertyComparison> comparisons) {
  Differs outcome = false;
  for (const PropertyComparison& c : comparisons)
    outcome = either(outcome, differs(c.how, c.read(*cell.answer()), c.read(*cell.target())));
  return outcome;
}

std::u16string compare_properties(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                                  std::initializer_list<PropertyComparison> comparisons) {
  return walk_cell_list(objects, startCell, endCell,
                        [&](const VisitedCell& cell) { return lists(differs_any(cell, comparisons)); });
}

}  // namespace tabrel::inspect
