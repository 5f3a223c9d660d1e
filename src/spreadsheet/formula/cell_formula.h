#pragma once
// Range.Formula and Range.FormulaR1C1 of one cell: "" for an empty cell, the constant as the
// formula bar shows it (numbers to 15 significant digits, dates in the short-date form
// "2024-03-01", text without a leading apostrophe, TRUE/FALSE, "#N/A"), and for a formula cell
// its text with "=" (members of shared formulas printed from their own position, data-table
// cells as "=TABLE(row input,column input)").

#include <string>

#include "spreadsheet/formula/print.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::formula {

// Throws FormulaError when the cell's formula tokens are malformed.
std::u16string cell_formula(const model::Workbook& workbook, const model::Sheet& sheet, model::CellRef cell,
                            Notation notation);

// The syntax tree a formula cell computes, with PtgExp members resolved to their shared or array
// formula (relative references taken from `cell`). nullopt for constants and data-table cells.
std::optional<Node> cell_tree(const model::Sheet& sheet, model::CellRef cell);

// The data table whose result range holds `cell`, if any.
const model::DataTable* data_table_at(const model::Sheet& sheet, model::CellRef cell);

// The number format of an XF shows dates or times (so constants print as dates).
bool xf_shows_date(const model::Workbook& workbook, uint16_t xf);

}  // namespace tabrel::formula
