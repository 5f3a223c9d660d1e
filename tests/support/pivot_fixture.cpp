#include "support/pivot_fixture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tabrel::testing {
namespace {

struct Bytes {
  std::vector<uint8_t> v;
  void u8(uint8_t x) { v.push_back(x); }
  void u16(uint16_t x) { u8(static_cast<uint8_t>(x & 0xFF)); u8(static_cast<uint8_t>(x >> 8)); }
  void u32(uint32_t x) { u16(static_cast<uint16_t>(x & 0xFFFF)); u16(static_cast<uint16_t>(x >> 16)); }
  void f64(double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, 8);
    u32(static_cast<uint32_t>(bits));
    u32(static_cast<uint32_t>(bits >> 32));
  }
  void wide(const std::u16string& s) {
    u8(1);
    for (char16_t c : s) u16(static_cast<uint16_t>(c));
  }
};

void record(Bytes& stream, uint16_t id, const Bytes& payload) {
  stream.u16(id);
  stream.u16(static_cast<uint16_t>(payload.v.size()));
  stream.v.insert(stream.v.end(), payload.v.begin(), payload.v.end());
}

model::RawRecord raw(uint16_t id, const Bytes& payload) { return model::RawRecord{id, payload.v, {}}; }

Bytes value_record(const CacheCell& c, uint16_t& id) {
  Bytes b;
  if (std::holds_alternative<double>(c)) {
    id = 0x00C9;
    b.f64(std::get<double>(c));
  } else if (std::holds_alternative<std::u16string>(c)) {
    id = 0x00CD;
    const auto& s = std::get<std::u16string>(c);
    b.u16(static_cast<uint16_t>(s.size()));
    b.wide(s);
  } else {
    id = 0x00CF;
  }
  return b;
}

bool is_unshared(const PivotSpec& spec, size_t f) {
  return std::find(spec.unshared.begin(), spec.unshared.end(), static_cast<int>(f)) != spec.unshared.end();
}

std::vector<std::vector<CacheCell>> shared_items(const PivotSpec& spec) {
  std::vector<std::vector<CacheCell>> items(spec.fields.size());
  for (const auto& rec : spec.records)
    for (size_t f = 0; f < spec.fields.size(); ++f)
      if (!is_unshared(spec, f) && std::find(items[f].begin(), items[f].end(), rec[f]) == items[f].end())
        items[f].push_back(rec[f]);
  return items;
}

uint16_t axis_of(const PivotSpec& spec, int f) {
  uint16_t axis = 0;
  if (f == spec.row_field) axis |= 0x1;
  if (f == spec.column_field) axis |= 0x2;
  if (f == spec.page_field) axis |= 0x4;
  for (const auto& d : spec.data)
    if (d.field == f) axis |= 0x8;
  return axis;
}

}  // namespace

std::vector<uint8_t> cache_stream(const PivotSpec& spec) {
  const auto items = shared_items(spec);
  Bytes s;
  Bytes db;
  db.u32(static_cast<uint32_t>(spec.records.size()));
  db.u16(1);
  db.u16(0x1);  // fSaveData
  db.u16(0);
  db.u16(static_cast<uint16_t>(spec.fields.size()));
  db.u16(static_cast<uint16_t>(spec.fields.size()));
  db.u16(static_cast<uint16_t>(spec.records.size()));
  db.u16(1);
  db.u16(0);
  record(s, 0x00C6, db);
  for (size_t f = 0; f < spec.fields.size(); ++f) {
    Bytes fdb;
    const bool shared = !is_unshared(spec, f);
    fdb.u16(shared ? 0x0001 : 0x0000);
    for (int i = 0; i < 3; ++i) fdb.u16(0);
    fdb.u16(0);
    fdb.u16(0);
    fdb.u16(static_cast<uint16_t>(items[f].size()));
    fdb.u16(static_cast<uint16_t>(spec.fields[f].size()));
    fdb.wide(spec.fields[f]);
    record(s, 0x00C7, fdb);
    for (const auto& item : items[f]) {
      uint16_t id = 0;
      const Bytes b = value_record(item, id);
      record(s, id, b);
    }
  }
  for (const auto& rec : spec.records) {
    Bytes dbb;
    for (size_t f = 0; f < spec.fields.size(); ++f)
      if (!is_unshared(spec, f))
        dbb.u8(static_cast<uint8_t>(std::find(items[f].begin(), items[f].end(), rec[f]) - items[f].begin()));
    record(s, 0x00C8, dbb);
    for (size_t f = 0; f < spec.fields.size(); ++f) {
      if (!is_unshared(spec, f)) continue;
      uint16_t id = 0;
      const Bytes b = value_record(rec[f], id);
      record(s, id, b);
    }
  }
  record(s, 0x000A, Bytes{});
  return s.v;
}

void add_pivot(model::Workbook& wb, size_t sheet, const PivotSpec& spec) {
  uint16_t cache = 0;
  for (const auto& r : wb.other_records) cache += r.id == 0x00D5;
  const uint16_t stream_id = static_cast<uint16_t>(cache + 1);
  Bytes idstm;
  idstm.u16(stream_id);
  wb.other_records.push_back(raw(0x00D5, idstm));
  if (!wb.stream(u"_SX_DB_CUR")) wb.extra_streams.push_back(model::ExtraStream::storage(u"_SX_DB_CUR"));
  char name[8];
  std::snprintf(name, sizeof name, "%04X", stream_id);
  wb.extra_streams.push_back(model::ExtraStream::stream(u"_SX_DB_CUR/" + std::u16string(name, name + 4), cache_stream(spec)));

  const auto items = shared_items(spec);
  const bool has_col = spec.column_field >= 0;
  const int head = spec.top + (has_col ? 1 : 0);
  Bytes view;
  view.u16(static_cast<uint16_t>(spec.top));
  view.u16(static_cast<uint16_t>(head + 1));
  view.u16(static_cast<uint16_t>(spec.left));
  view.u16(static_cast<uint16_t>(spec.left + 1));
  view.u16(static_cast<uint16_t>(head));
  view.u16(static_cast<uint16_t>(head + 1));
  view.u16(static_cast<uint16_t>(spec.left + 1));
  view.u16(cache);
  view.u16(0);
  view.u16(0x2);  // several data fields stand in columns
  view.u16(0xFFFF);
  view.u16(static_cast<uint16_t>(spec.fields.size()));
  view.u16(1);
  view.u16(has_col ? 1 : 0);
  view.u16(spec.page_field >= 0 ? 1 : 0);
  view.u16(static_cast<uint16_t>(spec.data.size()));
  view.u16(0);
  view.u16(0);
  view.u16(spec.flags);
  view.u16(1);
  const std::u16string table_name = u"피벗 테이블1", data_name = u"데이터";
  view.u16(static_cast<uint16_t>(table_name.size()));
  view.u16(static_cast<uint16_t>(data_name.size()));
  view.wide(table_name);
  view.wide(data_name);
  auto& records = wb.sheets[sheet]->other_records;
  records.push_back(raw(0x00B0, view));
  for (size_t f = 0; f < spec.fields.size(); ++f) {
    const uint16_t axis = axis_of(spec, static_cast<int>(f));
    const bool on_axis = (axis & 0x7) != 0;
    const bool subtotal = (axis & 0x3) != 0;
    const size_t count = on_axis ? items[f].size() + (subtotal ? 1 : 0) : 0;
    Bytes vd;
    vd.u16(axis);
    vd.u16(subtotal ? 1 : 0);
    vd.u16(subtotal ? 1 : 0);
    vd.u16(static_cast<uint16_t>(count));
    vd.u16(0xFFFF);
    records.push_back(raw(0x00B1, vd));
    if (on_axis) {
      for (size_t i = 0; i < items[f].size(); ++i) {
        const bool hidden = static_cast<int>(f) == spec.row_field &&
                            std::find(spec.hidden_row_items.begin(), spec.hidden_row_items.end(), static_cast<int>(i)) !=
                                spec.hidden_row_items.end();
        Bytes vi;
        vi.u16(0);
        vi.u16(hidden ? 1 : 0);
        vi.u16(static_cast<uint16_t>(i));
        vi.u16(0xFFFF);
        records.push_back(raw(0x00B2, vi));
      }
      if (subtotal) {
        Bytes vi;
        vi.u16(1);
        vi.u16(0);
        vi.u16(0xFFFF);
        vi.u16(0xFFFF);
        records.push_back(raw(0x00B2, vi));
      }
    }
    Bytes ex;
    ex.u32(spec.compact ? 0x0AE0141E : 0x0A80141E);
    for (int i = 0; i < 16; ++i) ex.u8(0);
    records.push_back(raw(0x0100, ex));
  }
  Bytes rows;
  rows.u16(static_cast<uint16_t>(spec.row_field));
  records.push_back(raw(0x00B4, rows));
  if (has_col) {
    Bytes cols;
    cols.u16(static_cast<uint16_t>(spec.column_field));
    records.push_back(raw(0x00B4, cols));
  }
  if (spec.page_field >= 0) {
    Bytes pi;
    pi.u16(static_cast<uint16_t>(spec.page_field));
    pi.u16(static_cast<uint16_t>(spec.page_item));
    pi.u16(0);
    records.push_back(raw(0x00B6, pi));
  }
  for (const DataSpec& d : spec.data) {
    Bytes di;
    di.u16(static_cast<uint16_t>(d.field));
    di.u16(d.function);
    di.u16(0);
    di.u16(0);
    di.u16(0);
    di.u16(d.number_format);
    if (d.caption) {
      di.u16(static_cast<uint16_t>(d.caption->size()));
      di.wide(*d.caption);
    } else {
      di.u16(0xFFFF);
    }
    records.push_back(raw(0x00C5, di));
  }
}

}  // namespace tabrel::testing
