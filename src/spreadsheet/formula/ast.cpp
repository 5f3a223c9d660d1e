#include "spreadsheet/formula/ast.h"

#include "spreadsheet/formula/function_table.h"

namespace tabrel::formula {

bool is_volatile(const Node& n) {
  if (n.volatile_attr) return true;
  if (n.kind == Node::Kind::Function) {
    const FunctionInfo* f = function_by_index(n.function);
    if (f && f->is_volatile) return true;
  }
  for (const Node& c : n.children)
    if (is_volatile(c)) return true;
  return false;
}

}  // namespace tabrel::formula
