#pragma once
// Formula text as the spreadsheet shows it in the formula bar: upper-case English function
// names, A1 or R1C1 references relative to a base cell, sheet names quoted only where needed,
// external book qualifiers, typed blanks restored.
//
//   std::u16string a1 = formula::print(workbook, base, tokens, extra, Notation::A1);  // "=SUM(A1:B2)"
//   std::u16string r1c1 = formula::print(workbook, base, tokens, extra, Notation::R1C1);
//
// Range.Formula / Range.FormulaR1C1 of a whole cell (constants, shared and array formulas,
// data tables) are in cell_formula.h.

#include <cstdint>
#include <span>
#include <string>

#include "spreadsheet/formula/ast.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::formula {

enum class Notation { A1, R1C1 };

// The expression with its leading "=". Throws FormulaError for malformed tokens. `relative`:
// the tokens keep relative parts as offsets from `base` (defined names, shared formulas,
// conditional formats); Name.RefersToR1C1 prints a name's tokens with `relative` set.
std::u16string print(const model::Workbook& workbook, model::CellRef base, std::span<const uint8_t> tokens,
                     std::span<const uint8_t> extra, Notation notation, bool relative = false);
std::u16string print(const model::Workbook& workbook, model::CellRef base, const Node& root, Notation notation);
// Without the leading "=".
std::u16string print_expression(const model::Workbook& workbook, model::CellRef base, const Node& root,
                                Notation notation);

// A number as formulas show it: up to 15 significant digits, "1E+20" beyond.
std::u16string number_text(double value);

}  // namespace tabrel::formula
