#pragma once
// Column widths. The unit is the maximum digit width (mdw) of the workbook's standard font:
// COLINFO stores widths in 1/256 of a character including the cell padding; ColumnWidth (what
// the automation reports) counts characters without it, to two decimals; Width is in points.

namespace tabrel::layout {

// Padding of a column in pixels: margins on both sides and the grid line (5 for mdw 7 and 8).
int padding_px(int mdw);

// COLINFO width (1/256 character) -> pixels, and back.
int colinfo_to_pixels(int width256, int mdw);
int pixels_to_colinfo(int pixels, int mdw);

// ColumnWidth in characters -> pixels, and back (rounded to hundredths as reported).
int chars_to_pixels(double chars, int mdw);
double pixels_to_chars(int pixels, int mdw);

// ColumnWidth -> COLINFO width, as the spreadsheet stores a width typed by the user.
int chars_to_colinfo(double chars, int mdw);

// The standard width of a sheet's columns: `chars` digits and the padding, rounded up to a
// multiple of 8 pixels (8 characters give 64 px for mdw 7, 72 for mdw 8, 80 for mdw 9).
int standard_column_pixels(int chars, int mdw);

// Pixels at 96 dpi <-> points.
inline double pixels_to_points(double pixels) { return pixels * 0.75; }

}  // namespace tabrel::layout
