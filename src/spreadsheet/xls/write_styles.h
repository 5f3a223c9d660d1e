#pragma once
// The formatting records of the globals: FONT, FORMAT, XF, STYLE and PALETTE. A workbook built
// in memory may hold fewer fonts and cell formats than a valid file needs; the writer completes
// them with the spreadsheet's defaults (four fonts, fifteen style XFs, the default cell XF and
// the XFs of the built-in number styles) without moving what the workbook holds.

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/styles.h"

namespace tabrel::xls {

// Number of XF records every file starts with: 15 style XFs, the default cell XF (15) and the
// five XFs of the built-in Comma, Comma [0], Currency, Currency [0] and Percent styles.
inline constexpr size_t kDefaultXfCount = 21;
inline constexpr uint16_t kDefaultCellXf = 15;

// The styles as written: the model's, completed with defaults where it holds too few.
model::Styles completed_styles(const model::Styles& styles);

// Writes FONT, FORMAT, XF, STYLE and (when custom) PALETTE records in that order.
void write_styles(biff::RecordWriter& out, const model::Styles& completed);

// Record payloads, exposed for byte-level tests.
biff::PayloadBuilder font_payload(const model::Font& font);
biff::PayloadBuilder xf_payload(const model::Xf& xf);
biff::PayloadBuilder style_payload(const model::Style& style);

}  // namespace tabrel::xls
