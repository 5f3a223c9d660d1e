#pragma once
// Payloads of the style records of the workbook globals (FONT, FORMAT, XF, STYLE, PALETTE) as
// model values. Each throws biff::FormatError when the payload is shorter than its layout.

#include "spreadsheet/biff/record.h"
#include "spreadsheet/model/styles.h"

namespace tabrel::xls {

model::Font read_font(const biff::Record& rec);
model::NumberFormatRecord read_format(const biff::Record& rec);
model::Xf read_xf(const biff::Record& rec);
model::Style read_style(const biff::Record& rec);
// Replaces the palette entries the record lists (at most 56).
void read_palette(const biff::Record& rec, model::Styles& styles);

}  // namespace tabrel::xls
