#pragma once
// Syntax tree to BIFF8 token bytes, with the token classes, IF jumps, single-argument SUM
// attributes and typed blanks the spreadsheet writes.

#include <cstdint>
#include <vector>

#include "spreadsheet/formula/ast.h"
#include "spreadsheet/model/cell_ref.h"
#include "spreadsheet/model/names.h"

namespace tabrel::formula {

struct Encoded {
  std::vector<uint8_t> tokens;
  std::vector<uint8_t> extra;
};

enum class EncodeForm {
  Cell,      // a cell formula: references keep absolute coordinates (PtgRef/PtgArea)
  Relative,  // shared formulas and conditional formats: relative parts as offsets from `base` (PtgRefN/PtgAreaN)
  Name,      // a defined name: references are reference-class, relative parts of 3-D ones are offsets
};

// Throws FormulaError for trees that cannot be stored (unresolved names, unknown functions,
// strings longer than 255 characters, too many arguments). `links` (the workbook's external
// references) names the add-in functions a call goes to, for their argument classes.
Encoded encode(const Node& root, model::CellRef base = {}, EncodeForm form = EncodeForm::Cell,
               const model::ExternalRefs* links = nullptr);

}  // namespace tabrel::formula
