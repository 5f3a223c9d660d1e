#pragma once
// Small reads of a visited cell that several procedures share.

#include <string>
#include <string_view>

#include "inspect/cell_walk.h"

namespace tabrel::inspect {

// The displayed text (Range.Text) of a cell; a mixed value raises.
std::u16string displayed(xl::Range& cell);

// The formula of a cell in R1C1 notation (the constant as stored, "" when empty).
std::u16string formula_r1c1(xl::Range& cell);

// "총 합계" written as "총합계", so that both spellings of the grand-total caption agree.
std::u16string with_total_joined(std::u16string_view text);

// The text with every space character removed.
std::u16string without_spaces(std::u16string_view text);

// The closing test of the procedures with a `skipBoldAnswer` flag: list the cell unless the
// flag is set and the answer cell's bold is on or mixed. A failed read lists it.
bool lists_despite_bold(const VisitedCell& cell, bool skipBoldAnswer);

}  // namespace tabrel::inspect
