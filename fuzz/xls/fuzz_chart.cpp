// Reads arbitrary bytes as a chart substream (records as id, length, payload), derives from the
// chart what the automation layer shows, writes the chart again from its model, and writes it
// changed over its stored records: every outcome but a chart model and written substreams is a
// fault.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "spreadsheet/charts/chart_type.h"
#include "spreadsheet/charts/series_formula.h"
#include "spreadsheet/xls/read_chart.h"
#include "spreadsheet/xls/write_chart.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<tabrel::model::RawRecord> records;
  size_t at = 0;
  while (at + 4 <= size) {
    tabrel::model::RawRecord r;
    r.id = static_cast<uint16_t>(data[at] | data[at + 1] << 8);
    size_t length = static_cast<size_t>(data[at + 2] | data[at + 3] << 8);
    at += 4;
    if (length > size - at) length = size - at;
    r.payload.assign(data + at, data + at + length);
    at += length;
    records.push_back(std::move(r));
  }
  const tabrel::model::Chart chart = tabrel::xls::read_chart(records);
  tabrel::charts::chart_type(chart);
  tabrel::charts::older_type_number(chart);
  tabrel::model::Workbook wb;
  const size_t plotted = chart.plotted_series().size();
  for (size_t i = 0; i < plotted; ++i)
    tabrel::charts::series_formula(wb, chart, i, tabrel::formula::Notation::R1C1);
  tabrel::biff::RecordWriter out;
  tabrel::xls::write_chart_substream(out, chart);
  tabrel::model::ChartData changed{records, chart};
  changed.chart.area.type = chart.area.shadow() ? 0 : 4;
  if (!changed.chart.series.empty()) changed.chart.series.erase(changed.chart.series.begin());
  tabrel::biff::RecordWriter merged;
  tabrel::xls::write_chart_data(merged, changed);
  return 0;
}
