#pragma once
// Formula text (A1 or R1C1, English function names, with or without the leading "=") to a
// syntax tree, for recorded macros, FormatConditions.Add and authoring.
//
//   Node tree = formula::parse(u"=SUM(A1:A3)*2", workbook, base, Notation::A1);
//   Encoded bytes = formula::encode(tree, base);
//
// Sheet references are resolved against the workbook and get a link (EXTERNSHEET) entry;
// functions stored as add-in names (IFERROR ...) get their external name.

#include <string_view>

#include "spreadsheet/formula/ast.h"
#include "spreadsheet/formula/print.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::formula {

// Throws FormulaError (Syntax with the character offset, or UnknownSheet).
Node parse(std::u16string_view text, model::Workbook& workbook, model::CellRef base, Notation notation);

}  // namespace tabrel::formula
