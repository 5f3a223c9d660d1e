#pragma once
// Range.Text: what a cell shows, given its value, number format, font and width. The width
// is the column's (or the whole merged area's) in pixels; the text may use it less the
// padding. A width of 0 renders without a cell, as the TEXT function and a hidden column do:
// General keeps 11 characters and nothing turns into "#"; so does a cell too narrow for one "#". General gives up decimals and then turns scientific to fit, numbers and dates that
// do not fit show "#" across the cell, text is never cut into "#", and fills take up the rest.

#include <string>
#include <string_view>

#include "spreadsheet/core/date_serial.h"
#include "spreadsheet/layout/font_metrics.h"
#include "spreadsheet/layout/render_cache.h"
#include "spreadsheet/numfmt/format.h"
#include "spreadsheet/numfmt/render.h"

namespace tabrel::layout {

struct DisplayOptions {
  DateSystem date_system = DateSystem::k1900;
  // Maximum digit width of the workbook's standard font, which fixes the padding; 0 takes
  // the cell's own font.
  int standard_mdw = 0;
};

numfmt::RenderResult display_result(numfmt::CellValue value, const numfmt::Format& format, int width_px,
                                     const FontMetrics& metrics, const DisplayOptions& options = {});
numfmt::RenderResult display_result(numfmt::CellValue value, const numfmt::Format& format, int width_px,
                                     const FontSpec& font, const DisplayOptions& options = {});

// The text alone; a code that does not compile shows the value in General. The cache keeps
// the compiled code and the font's metrics for the next cell.
std::u16string display_text(const numfmt::CellValue& value, const std::u16string& code, int width_px,
                            const FontSpec& font, const DisplayOptions& options, RenderCache& cache);
std::u16string display_text(const numfmt::CellValue& value, std::u16string_view code, int width_px,
                            const FontSpec& font, const DisplayOptions& options = {});

// The narrowest cell, in pixels, that shows a text `text_px` wide whole.
int fitting_width_px(double text_px, int standard_mdw);

}  // namespace tabrel::layout
