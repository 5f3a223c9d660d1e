#pragma once
// BIFF8 token bytes (rgce and its trailing extra data) to a syntax tree.

#include <cstdint>
#include <span>

#include "spreadsheet/formula/ast.h"
#include "spreadsheet/model/cell_ref.h"

namespace tabrel::formula {

// Decodes one parsed expression. `base` resolves the relative tokens (PtgRefN, PtgAreaN) of
// shared formulas and conditional formats; in such a `relative` expression the relative parts
// of 3-D references are offsets from `base` as well. Throws FormulaError on malformed input.
Node decode(std::span<const uint8_t> tokens, std::span<const uint8_t> extra, model::CellRef base = {},
            bool relative = false);

}  // namespace tabrel::formula
