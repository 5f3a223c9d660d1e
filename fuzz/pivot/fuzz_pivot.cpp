// Fuzzes the pivot readers and the layout: the input's first two bytes say how many of the
// following bytes are the cache stream; the rest is a sheet's records (type, length, payload).
// Every table found is read and laid out with its page items. Only PivotError may come out.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "spreadsheet/pivot/pivot_cache.h"
#include "spreadsheet/pivot/pivot_layout.h"
#include "spreadsheet/pivot/pivot_view.h"

using namespace tabrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t rest = size - 2;
  const size_t split = (static_cast<size_t>(data[0]) | (static_cast<size_t>(data[1]) << 8)) % (rest + 1);
  model::Workbook wb;
  wb.sheets.push_back(std::make_unique<model::Sheet>());
  wb.other_records.push_back(model::RawRecord{0x00D5, {1, 0}, {}});
  wb.extra_streams.push_back(model::ExtraStream::stream(u"_SX_DB_CUR/0001", std::vector<uint8_t>(data + 2, data + 2 + split)));
  model::Sheet& sheet = *wb.sheets.front();
  for (size_t pos = 2 + split; pos + 4 <= size;) {
    const uint16_t id = static_cast<uint16_t>(data[pos] | (data[pos + 1] << 8));
    const size_t length = std::min<size_t>(static_cast<size_t>(data[pos + 2] | (data[pos + 3] << 8)), size - pos - 4);
    sheet.other_records.push_back(model::RawRecord{id, std::vector<uint8_t>(data + pos + 4, data + pos + 4 + length), {}});
    pos += 4 + length;
  }
  try {
    pivot::read_cache(wb, 0);
  } catch (const pivot::PivotError&) {
  }
  for (size_t record : pivot::view_records(sheet)) {
    try {
      const pivot::PivotView view = pivot::read_view(sheet, record);
      const pivot::PivotCache cache = pivot::read_cache(wb, view.cache);
      std::vector<int16_t> items;
      for (const auto& p : view.page_fields) items.push_back(p.item);
      pivot::lay_out(view, cache, items);
      for (auto& item : items) item = pivot::kAllItems;
      pivot::lay_out(view, cache, items);
    } catch (const pivot::PivotError&) {
    }
  }
  return 0;
}
