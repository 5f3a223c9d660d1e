#pragma once
// What the grader sees of each cell once every formula is recalculated: the members
// `xls-dump --recalc` adds to each cell.

#include "cell_json.h"

namespace tabrel::xl {
struct Book;
}

namespace tabrel::dump {

// Adds "computed" (the cell's value after recalculation, as {"type", "value"}) and "text" (its
// displayed text, as Range.Text gives it). The caller recalculates `book` first.
CellExtras recalculated_members(xl::Book& book);

}  // namespace tabrel::dump
