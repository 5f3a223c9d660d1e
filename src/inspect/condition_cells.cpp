#include "inspect/condition_cells.h"

#include <functional>

#include "inspect/cell_walk.h"
#include "inspect/compare.h"
#include "runtime/error_resume.h"
#include "runtime/strings.h"
#include "spreadsheet/automation/format_conditions.h"

namespace tabrel::inspect {

namespace {

constexpr int kCellValueRule = 1;
constexpr int kBetween = 1;
constexpr int kNotBetween = 2;

// Whether condition k of the answer's and of the target's cell differ as a member compares them.
using ConditionTest = std::function<bool(xl::FormatCondition& answer, xl::FormatCondition& target)>;

// The scheme every member shares: cells whose numbers of conditions differ are listed; where
// both have conditions, `test` (when given) compares condition k; a failure lists the cell.
std::u16string walk_conditions(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                               const Widening& widening, int16_t k, const ConditionTest& test) {
  auto per_cell = [&](const VisitedCell& cell) {
    int count = 0;
    auto counts_differ = [&] {
      count = deref(cell.answer()->FormatConditions()).Count();
      return count != deref(cell.target()->FormatConditions()).Count();
    };
    if (rt::met(counts_differ)) return true;
    if (count == 0 || !test) return false;
    return rt::met([&] {
      return test(deref(deref(cell.answer()->FormatConditions()).Item(Variant(k))),
                  deref(deref(cell.target()->FormatConditions()).Item(Variant(k))));
    });
  };
  WalkOptions options;
  options.widening = widening;
  return walk_cell_list(objects, startCell, endCell, per_cell, options);
}

std::u16string formula_without_dollars(const std::u16string& formula) {
  return rt::Trim(rt::Replace(formula, u"$", u""));
}

bool rules_differ(xl::FormatCondition& answer, xl::FormatCondition& target) {
  if (answer.Type() != target.Type()) return true;
  if (formula_without_dollars(answer.Formula1()) != formula_without_dollars(target.Formula1())) return true;
  if (answer.Type() != kCellValueRule) return false;
  if (answer.Operator() != target.Operator()) return true;
  const int op = answer.Operator();
  return (op == kBetween || op == kNotBetween) && rt::Trim(answer.Formula2()) != rt::Trim(target.Formula2());
}

}  // namespace

std::u16string GetWrongCondBoldCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                                     int16_t conditionIndex) {
  return walk_conditions(objects, startCell, endCell, {}, conditionIndex,
                         [](xl::FormatCondition& a, xl::FormatCondition& t) {
                           return lists(differs(Comparison::TrimmedText, deref(a.Font()).Bold(), deref(t.Font()).Bold()));
                         });
}

std::u16string GetWrongCondItalicCells(ExcelObjects& objects, std::u16string_view startCell,
                                       std::u16string_view endCell, int16_t conditionIndex) {
  return walk_conditions(
      objects, startCell, endCell, {}, conditionIndex, [](xl::FormatCondition& a, xl::FormatCondition& t) {
        return lists(differs(Comparison::TrimmedText, deref(a.Font()).Italic(), deref(t.Font()).Italic()));
      });
}

std::u16string GetWrongCondFillColorCells(ExcelObjects& objects, std::u16string_view startCell,
                                          std::u16string_view endCell, int16_t conditionIndex) {
  return walk_conditions(
      objects, startCell, endCell, {}, conditionIndex, [](xl::FormatCondition& a, xl::FormatCondition& t) {
        return lists(differs(Comparison::TrimmedText, deref(a.Interior()).ColorIndex(), deref(t.Interior()).ColorIndex()));
      });
}

std::u16string GetWrongCondFontColorCells(ExcelObjects& objects, std::u16string_view startCell,
                                          std::u16string_view endCell, int16_t conditionIndex) {
  Widening widening;
  widening.left = widening.up = true;
  return walk_conditions(objects, startCell, endCell, widening, conditionIndex,
                         [](xl::FormatCondition& a, xl::FormatCondition& t) {
                           return differs_as_converted_text(deref(a.Font()).Color(), deref(t.Font()).Color());
                         });
}

std::u16string GetWrongCondCountCells(ExcelObjects& objects, std::u16string_view startCell,
                                      std::u16string_view endCell) {
  return walk_conditions(objects, startCell, endCell, {}, 1, nullptr);
}

std::u16string GetWrongCondRuleCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                                     int16_t conditionIndex) {
  Widening widening;
  widening.left = widening.right = widening.down = true;
  return walk_conditions(objects, startCell, endCell, widening, conditionIndex, rules_differ);
}

std::u16string GetWrongConditionalFormatCells(ExcelObjects& objects, std::u16string_view startCell,
                                              std::u16string_view endCell, int16_t conditionIndex,
                                              std::u16string_view formulaText) {
  return walk_conditions(
      objects, startCell, endCell, {}, conditionIndex,
      [&](xl::FormatCondition&, xl::FormatCondition& t) { return rt::InStr(t.Formula1(), formulaText) == 0; });
}

}  // namespace tabrel::inspect
