#include "spreadsheet/layout/display_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "spreadsheet/layout/column_width.h"

namespace tabrel::layout {

namespace {
// Beyond the column's padding, the text keeps this far from the cell's edge: 8 digits fill a
// standard column of 64 pixels but "-0.333333" does not, and a column of 2.86 characters
// shows 2.3 as "2".
constexpr int kTextInset = 3;
}  // namespace

numfmt::RenderResult display_result(numfmt::CellValue value, const numfmt::Format& format, int width_px,
                                     const FontMetrics& metrics, const DisplayOptions& options) {
  numfmt::RenderOptions o;
  o.date_system = options.date_system;
  if (width_px <= 0) return numfmt::render(format, std::move(value), o);
  const int mdw = options.standard_mdw > 0 ? options.standard_mdw : metrics.max_digit_width();
  const double free = width_px - padding_px(mdw) - kTextInset;
  // A column narrower than a single "#" shows its value as if it had no cell; any wider column
  // has room for at least one "#" (or one digit) whatever its padding.
  const double hash = metrics.text_width(u"#");
  if (width_px < hash) return numfmt::render(format, std::move(value), o);
  o.width_px = std::max(free, hash);
  o.measure = [&metrics](std::u16string_view s) { return metrics.text_width(s); };
  return numfmt::render(format, std::move(value), o);
}

int fitting_width_px(double text_px, int standard_mdw) {
  return static_cast<int>(std::ceil(text_px)) + padding_px(standard_mdw) + kTextInset;
}

numfmt::RenderResult display_result(numfmt::CellValue value, const numfmt::Format& format, int width_px,
                                     const FontSpec& font, const DisplayOptions& options) {
  return display_result(std::move(value), format, width_px, FontMetrics(font), options);
}

std::u16string display_text(const numfmt::CellValue& value, const std::u16string& code, int width_px,
                            const FontSpec& font, const DisplayOptions& options, RenderCache& cache) {
  return display_result(value, *cache.format(code), width_px, cache.metrics(font), options).text;
}

std::u16string display_text(const numfmt::CellValue& value, std::u16string_view code, int width_px,
                            const FontSpec& font, const DisplayOptions& options) {
  RenderCache cache;
  return display_text(value, std::u16string(code), width_px, font, options, cache);
}

}  // namespace tabrel::layout
