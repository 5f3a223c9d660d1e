#pragma once
// The values of a workbook's cells: cached formula results as loaded, recalculated when read
// for volatile cells and cells whose precedents changed. One calculation engine per open
// workbook, made when first needed and remade after sheets are added or removed.

#include <string>

#include "spreadsheet/formula/ast.h"
#include "spreadsheet/formula/value.h"
#include "spreadsheet/model/sheet.h"

namespace tabrel::xl {

struct Book;

model::CellValue cell_value(Book& book, const model::Sheet& sheet, model::CellRef at);

// Application.CalculateFull: every formula recomputed from its precedents, in dependency
// order. Returns the number of formula cells.
size_t calculate_full(Book& book);

// Stores a formula typed as text (A1 or R1C1 with "="; other text is stored as a constant)
// and computes it. Raises 1004 for text that does not parse.
void enter_formula(Book& book, const model::Sheet& sheet, model::CellRef at, const std::u16string& text, bool r1c1);

// Computes a formula tree on `sheet` without storing it (WorksheetFunction). Raises 1004 for a
// tree the engine cannot compute.
formula::Scalar evaluate_tree(Book& book, const model::Sheet& sheet, const formula::Node& tree);

// Sheets were added or removed: the engine's sheet positions no longer hold.
void forget_calculation(Book& book);

}  // namespace tabrel::xl
