#include "spreadsheet/xls/read_substream.h"

#include "spreadsheet/biff/records.h"
#include "spreadsheet/xls/read_chart.h"

namespace tabrel::xls {

model::RawRecord raw_record(const biff::Record& rec) {
  model::RawRecord raw;
  raw.id = rec.type;
  raw.payload = rec.data;
  raw.continue_offsets.assign(rec.boundaries.begin(), rec.boundaries.end());
  return raw;
}

model::RawRecord take_raw_record(biff::Record& rec) {
  model::RawRecord raw;
  raw.id = rec.type;
  raw.payload = std::move(rec.data);
  raw.continue_offsets.assign(rec.boundaries.begin(), rec.boundaries.end());
  return raw;
}

void read_substream_rest(biff::RecordReader& reader, const biff::Record& bof, model::ChartData& out) {
  out.records.push_back(raw_record(bof));
  biff::Record rec;
  int depth = 1;
  while (depth > 0 && reader.next(rec)) {
    if (rec.type == biff::rt::BOF) ++depth;
    if (rec.type == biff::rt::Eof) --depth;
    out.records.push_back(take_raw_record(rec));
  }
  out.chart = read_chart(out.records);
}

}  // namespace tabrel::xls
