#pragma once
// The formula items of problem 2: each a range whose cells must hold formulas that use the
// listed functions and show the answer's results, each its own row.

#include <vector>

#include "papers/frame/check_table.h"

namespace tabrel::papers {

inline constexpr char16_t kWrongFunctionText[] = u" 셀의 함수 또는 결과가 틀립니다";

// Every listed function required; the row is the first listed cell + the message.
Check all_functions(const char16_t* first, const char16_t* last, const char16_t* functions,
                    const char16_t* message = kWrongFunctionText);
// Any one of the listed functions is enough.
Check any_function(const char16_t* first, const char16_t* last, const char16_t* functions,
                   const char16_t* message = kWrongFunctionText);

// The items in order, each worth `points` (the amount is set on every item).
Problem formula_items(float points, std::vector<Check> items);
// Items whose ranges are tried as a chain: each item records at most one row, for the first of
// its ranges that fails.
Problem formula_item_chains(float points, std::vector<std::vector<Check>> items);

}  // namespace tabrel::papers
