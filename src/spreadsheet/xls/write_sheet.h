#pragma once
// One sheet's substream, BOF to EOF, in the record order the file format prescribes.

#include <cstddef>
#include <map>
#include <vector>

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/sheet.h"
#include "spreadsheet/xls/write_drawing.h"
#include "spreadsheet/xls/write_shared_strings.h"

namespace tabrel::xls {

struct SheetContext {
  const SharedStringTable& strings;
  size_t xf_count;             // XF records written in the globals
  const SheetDrawing& drawing; // the sheet's place in the drawing group
  bool shown;                  // the workbook window shows this sheet (its active sheet)
  const std::map<size_t, std::vector<uint8_t>>& macro_tokens;  // made macro calls, by drawing index
};

void write_sheet(biff::RecordWriter& out, const model::Sheet& sheet, const SheetContext& context);

// The BOF record of a substream; `type` 0x0005 globals, 0x0010 worksheet or dialog sheet, 0x0020
// chart, 0x0040 macro sheet.
void write_bof(biff::RecordWriter& out, uint16_t type);
void write_eof(biff::RecordWriter& out);
// A record whose payload is one 16-bit value.
void u16_record(biff::RecordWriter& out, uint16_t type, uint16_t value);

}  // namespace tabrel::xls
