#pragma once
// Column widths and row heights as the file stores them (1/256 of a character, twips), with
// their hidden flags. A width or height of 0 hides the column or row.

#include <cstdint>

#include "spreadsheet/model/sheet.h"

namespace tabrel::ops {

void set_column_width(model::Sheet& sheet, int first_col, int last_col, uint16_t width_256ths);
void set_column_hidden(model::Sheet& sheet, int first_col, int last_col, bool hidden);
void set_row_height(model::Sheet& sheet, int first_row, int last_row, uint16_t twips);
void set_row_hidden(model::Sheet& sheet, int first_row, int last_row, bool hidden);

}  // namespace tabrel::ops
