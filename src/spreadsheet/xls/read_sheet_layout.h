#pragma once
// Records of a sheet substream that shape the grid and its view: ROW, COLINFO, DEFCOLWIDTH,
// STANDARDWIDTH, DEFAULTROWHEIGHT, WSBOOL, GUTS, MERGECELLS, WINDOW2, SCL, SELECTION, PANE,
// PHONETICPR.

#include "spreadsheet/biff/record.h"
#include "spreadsheet/model/sheet.h"

namespace tabrel::xls {

// Reads `rec` into the sheet when it is one of the records above and returns true; false for
// any other record type. Throws biff::FormatError for a payload shorter than its layout.
bool read_layout_record(const biff::Record& rec, model::Sheet& sheet);

}  // namespace tabrel::xls
