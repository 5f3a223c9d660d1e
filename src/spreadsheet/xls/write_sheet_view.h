#pragma once
// The window records of a sheet: WINDOW2, SCL (zoom other than 100%), PANE and SELECTION.

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xls {

// WINDOW2 option flags: the stored ones with the view's own settings laid over them.
uint16_t window2_flags(const model::SheetView& view);

void write_sheet_view(biff::RecordWriter& out, const model::SheetView& view);

}  // namespace tabrel::xls
