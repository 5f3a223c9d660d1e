#pragma once
// The one place where texts that other engines produce enter the automation objects: the
// displayed text of a cell, formula texts of cells, conditions and names, number-format codes
// and column widths in characters.

#include <cstdint>
#include <span>
#include <string>

#include "spreadsheet/model/workbook.h"

namespace tabrel::xl {

struct Book;

enum class Notation { A1, R1C1 };

// Range.Text of one cell: the value in its number format, fitted to its column (or merged
// area); a number that does not fit shows "#".
std::u16string displayed_text(Book& book, const model::Sheet& sheet, model::CellRef at);

// AutoFit: the pixels a column needs to show the cell's value whole (its text in the cell's
// font and the column's padding); 0 for a blank cell.
int fitting_column_pixels(Book& book, const model::Sheet& sheet, model::CellRef at);
// AutoFit: the column width in COLINFO units of a width in pixels.
uint16_t column_units_of_pixels(const model::Workbook& wb, int pixels);

// Range.Formula / FormulaR1C1 of one cell: the formula with "=", a constant as the formula bar
// shows it, "" for a blank cell.
std::u16string cell_formula(const model::Workbook& wb, const model::Sheet& sheet, model::CellRef at, Notation notation);

// A condition's formula of the sheet at `sheet_index`, printed as seen from `from` (the
// instance's active cell), with "=".
std::u16string condition_formula(const model::Workbook& wb, int sheet_index, std::span<const uint8_t> tokens,
                                 model::CellRef from, Notation notation);

// Range.NumberFormat and Range.NumberFormatLocal of a format id.
std::u16string number_format(const model::Workbook& wb, uint16_t format_id);
std::u16string number_format_local(const model::Workbook& wb, uint16_t format_id);
// The format id of a code given in English or in the user's language.
uint16_t format_id_for(model::Workbook& wb, const std::u16string& code, bool local);

// Pixel widths of columns and heights of rows as the sheet shows them (0 when hidden).
int column_width_pixels(const model::Workbook& wb, const model::Sheet& sheet, int col);
int row_height_pixels(const model::Sheet& sheet, int row);

// ColumnWidth in characters of one column (hidden or not), and the stored width of a typed one.
double column_width_characters(const model::Workbook& wb, const model::Sheet& sheet, int col);
uint16_t column_width_units(const model::Workbook& wb, double characters);

// Pixels that a cell's displayed text needs whole, in its own font, with the column's padding:
// what a column fitted to its contents gives it (0 for a blank cell).
int fitted_width_pixels(Book& book, const model::Sheet& sheet, model::CellRef at);
// The narrowest ColumnWidth, in characters, of a column at least `pixels` wide.
double width_characters(const model::Workbook& wb, int pixels);

}  // namespace tabrel::xl
