#include "papers/blocks/formula_items.h"

#include "inspect/formula_cells.h"

namespace tabrel::papers {

Check all_functions(const char16_t* first, const char16_t* last, const char16_t* functions, const char16_t* message) {
  return {cells(inspect::GetWrongFunctionCells, first, last, functions), 0, after_cell(message)};
}

Check any_function(const char16_t* first, const char16_t* last, const char16_t* functions, const char16_t* message) {
  return {cells(inspect::GetWrongAnyFunctionCells, first, last, functions), 0, after_cell(message)};
}

Problem formula_items(float points, std::vector<Check> items) {
  Problem problem;
  for (Check& item : items) {
    item.points = points;
    problem.push_back(check(std::move(item)));
  }
  return problem;
}

Problem formula_item_chains(float points, std::vector<std::vector<Check>> items) {
  Problem problem;
  for (std::vector<Check>& ranges : items) {
    for (Check& range : ranges) range.points = points;
    problem.push_back(chain(std::move(ranges)));
  }
  return problem;
}

}  // namespace tabrel::papers
