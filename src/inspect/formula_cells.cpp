#include "inspect/formula_cells.h"

#include <vector>

#include "inspect/cell_reads.h"
#include "inspect/cell_walk.h"
#include "runtime/error_resume.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "runtime/split_tokens.h"

namespace tabrel::inspect {

namespace {

std::vector<std::u16string> tokens_of(std::u16string_view functions) {
  std::vector<std::u16string> tokens;
  rt::SplitTokens(functions, tokens, u";");
  return tokens;
}

bool has_formula(std::u16string_view trimmed_formula) { return rt::InStr(trimmed_formula, u"=") != 0; }

bool shown_texts_differ(const VisitedCell& cell) {
  return rt::Trim(displayed(*cell.answer())) != rt::Trim(displayed(*cell.target()));
}

}  // namespace

std::u16string GetWrongFormulaCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                                    bool skipBoldAnswer) {
  auto test = [&](const VisitedCell& cell) {
    std::u16string answer;
    rt::step([&] { answer = formula_r1c1(*cell.answer()); });
    // Constants everywhere; formulas on the first sheet and in data tables only.
    auto examined = [&] {
      const bool constant = rt::Left(answer, 1) != u"=";
      const bool first_sheet = deref(objects.AnswerSheet).Index() == 1;
      return constant || first_sheet || rt::InStr(answer, u"TABLE") != 0;
    };
    if (!rt::met(examined)) return false;
    auto contents_differ = [&] {
      return rt::Trim(with_total_joined(answer)) != rt::Trim(with_total_joined(formula_r1c1(*cell.target())));
    };
    if (!rt::met(contents_differ)) return false;
    return lists_despite_bold(cell, skipBoldAnswer);
  };
  return walk_cell_list(objects, startCell, endCell, test);
}

bool IsTargetRangeEmpty(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell) {
  WalkOptions options;
  options.stop_at_first = true;
  auto shows_something = [](const VisitedCell& cell) { return !without_spaces(displayed(*cell.target())).empty(); };
  return walk_cells(objects, startCell, endCell, shows_something, options).count == 0;
}

std::u16string GetWrongFunctionCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                                     std::u16string_view functions) {
  // What each token is sought as, in capitals: a name with its "(", a short or numeric token alone.
  std::vector<std::u16string> sought;
  for (const std::u16string& token : tokens_of(functions)) {
    const bool alone = token.size() == 1 || rt::IsNumeric(token);
    sought.push_back(rt::UCase(token) + (alone ? u"" : u"("));
  }
  auto test = [&](const VisitedCell& cell) {
    if (displayed(*cell.answer()).empty() && !displayed(*cell.target()).empty()) return true;
    const std::u16string formula = rt::Trim(formula_r1c1(*cell.target()));
    if (!has_formula(formula)) return true;
    const std::u16string capitals = rt::UCase(formula);
    int missing = 0;
    for (const std::u16string& s : sought)
      if (rt::InStr(capitals, s) == 0) ++missing;
    return missing > 0 || shown_texts_differ(cell);
  };
  WalkOptions options;
  options.on_error = OnError::Raise;
  return walk_cell_list(objects, startCell, endCell, test, options);
}

std::u16string GetWrongAnyFunctionCells(ExcelObjects& objects, std::u16string_view startCell,
                                        std::u16string_view endCell, std::u16string_view functions) {
  std::vector<std::u16string> sought;
  for (const std::u16string& token : tokens_of(functions)) sought.push_back(rt::UCase(token) + u"(");
  auto test = [&](const VisitedCell& cell) {
    std::u16string formula;
    if (rt::met([&] {
          formula = rt::Trim(formula_r1c1(*cell.target()));
          return !has_formula(formula);
        }))
      return true;
    int found = 0;
    for (const std::u16string& s : sought)
      if (rt::InStr(formula, s) != 0) ++found;
    return found == 0 || rt::met([&] { return shown_texts_differ(cell); });
  };
  return walk_cell_list(objects, startCell, endCell, test);
}

}  // namespace tabrel::inspect
