#include "spreadsheet/layout/column_width.h"

#include <cmath>

namespace tabrel::layout {

namespace {
int valid_mdw(int mdw) { return mdw > 0 ? mdw : 1; }
}  // namespace

int padding_px(int mdw) { return 2 * ((valid_mdw(mdw) + 3) / 4) + 1; }

int colinfo_to_pixels(int width256, int mdw) {
  mdw = valid_mdw(mdw);
  if (width256 <= 0) return 0;
  const double w = static_cast<double>(width256) + 128 / mdw;  // trunc(128 / mdw) in 1/256 units
  return static_cast<int>(std::trunc(w / 256.0 * mdw));
}

int pixels_to_colinfo(int pixels, int mdw) {
  mdw = valid_mdw(mdw);
  if (pixels <= 0) return 0;
  return static_cast<int>(std::trunc(static_cast<double>(pixels) * 256.0 / mdw));
}

int chars_to_colinfo(double chars, int mdw) {
  mdw = valid_mdw(mdw);
  if (!(chars > 0)) return 0;
  if (chars < 1) return pixels_to_colinfo(chars_to_pixels(chars, mdw), mdw);
  return static_cast<int>(std::trunc((chars * mdw + padding_px(mdw)) / mdw * 256.0 + 1e-9));
}

int chars_to_pixels(double chars, int mdw) {
  mdw = valid_mdw(mdw);
  if (!(chars > 0)) return 0;
  // Below one character the padding shrinks with the width.
  if (chars < 1) return static_cast<int>(std::trunc(chars * (mdw + padding_px(mdw)) + 0.5));
  return colinfo_to_pixels(chars_to_colinfo(chars, mdw), mdw);
}

double pixels_to_chars(int pixels, int mdw) {
  mdw = valid_mdw(mdw);
  if (pixels <= 0) return 0;
  const int pad = padding_px(mdw);
  double chars = pixels < mdw + pad ? static_cast<double>(pixels) / (mdw + pad)
                                    : static_cast<double>(pixels - pad) / mdw;
  return std::trunc(chars * 100 + 0.5) / 100;
}

int standard_column_pixels(int chars, int mdw) {
  mdw = valid_mdw(mdw);
  if (chars <= 0) return 0;
  const int exact = chars * mdw + padding_px(mdw);
  return (exact + 7) / 8 * 8;
}

}  // namespace tabrel::layout
