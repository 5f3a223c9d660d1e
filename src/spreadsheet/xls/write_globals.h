#pragma once
// The globals substream after its BOF (and FILEPASS): workbook settings, formatting, the sheet
// list, the link table, the drawing group and the shared strings, up to its EOF.

#include <cstdint>
#include <vector>

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/workbook.h"
#include "spreadsheet/xls/write_names.h"
#include "spreadsheet/xls/write_shared_strings.h"

namespace tabrel::xls {

struct GlobalsInput {
  const model::Workbook& workbook;
  const model::Styles& styles;          // completed
  const SharedStringTable& strings;
  const LinkTable& links;
  const std::vector<uint8_t>& drawing_group;
};

// Returns, per sheet, the stream offset of its BOUNDSHEET record's sheet position field, to be
// patched once the sheet's substream is placed.
std::vector<uint64_t> write_globals(biff::RecordWriter& out, const GlobalsInput& in);

biff::PayloadBuilder window1_payload(const model::WorkbookView& view, size_t sheet_count);

}  // namespace tabrel::xls
