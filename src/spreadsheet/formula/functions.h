#pragma once
// The function families: each file adds its functions by English name.

#include <span>
#include <string>
#include <unordered_map>

#include "spreadsheet/formula/evaluator.h"

namespace tabrel::formula {

using FunctionMap = std::unordered_map<std::u16string, FunctionImpl>;

void add_math_functions(FunctionMap& map);
void add_statistical_functions(FunctionMap& map);
void add_logical_functions(FunctionMap& map);
void add_text_functions(FunctionMap& map);
void add_date_functions(FunctionMap& map);
void add_financial_functions(FunctionMap& map);
void add_lookup_functions(FunctionMap& map);
void add_database_functions(FunctionMap& map);
void add_conditional_functions(FunctionMap& map);

// The implementation of a function by its English name; nullptr when the engine lacks it.
FunctionImpl find_function(std::u16string_view name);

}  // namespace tabrel::formula
