#pragma once
// The formula of a conditional format as FormatCondition.Formula1/Formula2 show it. The tokens
// keep relative parts as distances from the format's first cell; they are shown from another
// cell (the active one), wrapping round the sheet's edges. References to the format's own sheet
// are shown without a sheet name, also where the file stores them as 3-D references
// ("Sheet1!A1" written by some programs shows as "A1").
//
//   std::u16string f = formula::condition_formula(workbook, sheet_index, rule.formula1, active, Notation::A1);

#include <cstdint>
#include <span>
#include <string>

#include "spreadsheet/formula/print.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::formula {

// The expression with its leading "=". Throws FormulaError for malformed tokens.
std::u16string condition_formula(const model::Workbook& workbook, int sheet, std::span<const uint8_t> tokens,
                                 model::CellRef from, Notation notation);

// Drops the sheet qualifier of references that name exactly `sheet` (and nothing else).
void drop_own_sheet(const model::Workbook& workbook, int sheet, Node& root);

}  // namespace tabrel::formula
