#include "inspect/text_cells.h"

#include "inspect/cell_reads.h"
#include "inspect/cell_walk.h"
#include "runtime/error_resume.h"
#include "runtime/strings.h"

namespace tabrel::inspect {

namespace {

// Both cells' formulas read as numbers and one of them is 0. Both sides are read before the
// test, so a side that does not read as a number raises even when the other is 0.
bool holds_zero(const VisitedCell& cell) {
  const double answer = cell.answer()->Formula().to_double();
  const double target = cell.target()->Formula().to_double();
  return answer == 0 || target == 0;
}

}  // namespace

std::u16string GetWrongTextCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                                 int16_t ignoreSpaces, bool skipBoldAnswer) {
  // With ignoreSpaces the texts lose every space; without, only the total caption is joined.
  auto comparable = ignoreSpaces == 0 ? with_total_joined : without_spaces;
  auto test = [&](const VisitedCell& cell) {
    if (rt::holds([&] { return comparable(displayed(*cell.answer())) == comparable(displayed(*cell.target())); }))
      return false;
    if (ignoreSpaces != 0 && rt::holds([&] { return holds_zero(cell); })) return false;
    return lists_despite_bold(cell, skipBoldAnswer);
  };
  return walk_cell_list(objects, startCell, endCell, test);
}

float CountAnswerFilledCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell) {
  auto shows_text = [](const VisitedCell& cell) { return !rt::Trim(displayed(*cell.answer())).empty(); };
  return walk_cells(objects, startCell, endCell, shows_text).count;
}

}  // namespace tabrel::inspect
