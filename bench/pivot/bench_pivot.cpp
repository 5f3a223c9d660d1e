// Laying a pivot table out again from a cache of 100,000 records: one row field of 50 items,
// one column field of 12 items, a page field of 8 items, the sum of an amount (aim: well under
// 100 ms a layout).

#include <benchmark/benchmark.h>

#include "spreadsheet/pivot/pivot_layout.h"

namespace {

using namespace tabrel;
using namespace tabrel::pivot;

constexpr size_t kRecords = 100000;

CacheField shared_field(std::u16string name, size_t items) {
  CacheField f;
  f.name = std::move(name);
  f.has_items = true;
  for (size_t i = 0; i < items; ++i) {
    CacheValue v;
    v.kind = CacheValue::Kind::Text;
    v.text = u"항목" + std::u16string(1, static_cast<char16_t>(u'가' + i));
    f.items.push_back(v);
  }
  return f;
}

ViewField axis_field(uint16_t axis, size_t items) {
  ViewField f;
  f.axis = axis;
  for (size_t i = 0; i < items; ++i) f.items.push_back({0, false, static_cast<int16_t>(i), std::nullopt});
  return f;
}

struct Table {
  PivotView view;
  PivotCache cache;
};

Table make_table() {
  Table t;
  t.cache.fields = {shared_field(u"지점", 50), shared_field(u"월", 12), shared_field(u"담당", 8)};
  CacheField amount;
  amount.name = u"금액";
  t.cache.fields.push_back(amount);
  t.cache.source_fields = 4;
  t.cache.cells.reserve(kRecords * 4);
  for (size_t r = 0; r < kRecords; ++r) {
    t.cache.cells.push_back(static_cast<uint32_t>(r % 50));
    t.cache.cells.push_back(static_cast<uint32_t>((r / 7) % 12));
    t.cache.cells.push_back(static_cast<uint32_t>((r / 3) % 8));
    t.cache.cells.push_back(static_cast<uint32_t>(r));
    CacheValue v;
    v.kind = CacheValue::Kind::Number;
    v.number = static_cast<double>(r % 1000);
    t.cache.values.push_back(v);
  }
  PivotView& v = t.view;
  v.area = {{3, 0}, {5, 1}};
  v.first_header_row = 4;
  v.first_data_row = 5;
  v.first_data_col = 1;
  v.flags = 0x3;
  v.fields = {axis_field(kAxisRow, 50), axis_field(kAxisColumn, 12), axis_field(kAxisPage, 8), axis_field(kAxisData, 0)};
  v.row_fields = {0};
  v.column_fields = {1};
  v.page_fields = {PageField{2, kAllItems, 0, 0}};
  v.data_fields = {DataField{3, 0, 3, std::nullopt}};
  return t;
}

void BM_RelayoutAllItems(benchmark::State& state) {
  const Table t = make_table();
  for (auto _ : state) benchmark::DoNotOptimize(lay_out(t.view, t.cache, {kAllItems}).cells.size());
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kRecords));
}
BENCHMARK(BM_RelayoutAllItems)->Unit(benchmark::kMillisecond);

void BM_RelayoutOneItem(benchmark::State& state) {
  const Table t = make_table();
  for (auto _ : state) benchmark::DoNotOptimize(lay_out(t.view, t.cache, {3}).cells.size());
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kRecords));
}
BENCHMARK(BM_RelayoutOneItem)->Unit(benchmark::kMillisecond);

}  // namespace

