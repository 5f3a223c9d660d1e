#pragma once
// Reference shifting for copy, paste and AutoFill: the relative parts of every reference move by
// the distance between the source and the destination cell; a reference pushed off the sheet
// becomes #REF!, as the spreadsheet does.

#include "spreadsheet/formula/ast.h"

namespace tabrel::formula {

void shift_references(Node& root, int rows, int cols);

}  // namespace tabrel::formula
