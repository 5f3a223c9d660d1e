#pragma once
// Substreams kept as records: a chart (BOF .. EOF, with nested substreams) and records kept
// unread.

#include "spreadsheet/biff/record.h"
#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/model/raw_record.h"
#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::xls {

model::RawRecord raw_record(const biff::Record& rec);
// The same, taking the record's payload; `rec` may then be read into again.
model::RawRecord take_raw_record(biff::Record& rec);

// Keeps `bof` and every record after it up to the EOF that closes it, and decodes the chart's
// summary from them.
void read_substream_rest(biff::RecordReader& reader, const biff::Record& bof, model::ChartData& out);

}  // namespace tabrel::xls
