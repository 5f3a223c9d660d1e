#pragma once
// Row heights: points <-> pixels at 96 dpi, and the 1/20 point (twips) of ROW records.

#include <cmath>

namespace tabrel::layout {

inline int points_to_pixels(double points) { return static_cast<int>(std::trunc(points / 0.75 + 0.5)); }
inline double row_pixels_to_points(int pixels) { return pixels * 0.75; }
// A height in points as the spreadsheet keeps it: a whole number of pixels.
inline double snap_row_points(double points) { return row_pixels_to_points(points_to_pixels(points)); }
inline double twips_to_points(int twips) { return twips / 20.0; }
inline int points_to_twips(double points) { return static_cast<int>(std::lround(points * 20)); }

}  // namespace tabrel::layout
