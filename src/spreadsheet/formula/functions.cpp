#include "spreadsheet/formula/functions.h"

namespace tabrel::formula {

FunctionImpl find_function(std::u16string_view name) {
  static const FunctionMap kAll = [] {
    FunctionMap m;
    add_math_functions(m);
    add_statistical_functions(m);
    add_logical_functions(m);
    add_text_functions(m);
    add_date_functions(m);
    add_financial_functions(m);
    add_lookup_functions(m);
    add_database_functions(m);
    add_conditional_functions(m);
    return m;
  }();
  auto it = kAll.find(std::u16string(name));
  return it == kAll.end() ? nullptr : it->second;
}

}  // namespace tabrel::formula
