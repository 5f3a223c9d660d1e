#pragma once
// A sheet substream (BOF .. EOF): worksheet, macro sheet, dialog sheet or chart sheet, with the
// chart substreams embedded in it.

#include <vector>

#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/model/sheet.h"

namespace tabrel::xls {

// Reads the substream at the reader's position, which must be a BOF record, up to and with its
// EOF (or the end of the stream). Throws biff::FormatError for damaged records.
void read_sheet_substream(biff::RecordReader& reader, model::Sheet& sheet,
                          const std::vector<model::CellValue::Text>& shared_strings);

// BOF substream types.
inline constexpr uint16_t kGlobalsSubstream = 0x0005;
inline constexpr uint16_t kChartSubstream = 0x0020;
inline constexpr uint16_t kMacroSheetSubstream = 0x0040;
inline constexpr uint16_t kBiff8Version = 0x0600;

}  // namespace tabrel::xls
