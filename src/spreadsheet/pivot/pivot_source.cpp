#include "spreadsheet/pivot/pivot_source.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <tuple>

#include "spreadsheet/core/text.h"
#include "spreadsheet/pivot/pivot_bytes.h"
#include "spreadsheet/pivot/pivot_records.h"

namespace tabrel::pivot {
namespace {

constexpr uint16_t kSxVs = 0x00E3, kDConRef = 0x0051, kSxDbEx = 0x0122, kSxFdbType = 0x01BB;
constexpr size_t kMaxFields = 255, kMaxItems = 32500;
constexpr uint16_t kNumField = 0x0020, kNumbersOnly = 0x0040, kTextField = 0x0080, kMinMaxValid = 0x0100,
                   kNonDates = 0x0400;

CacheValue value_of(const model::Cell* cell) {
  CacheValue v;
  if (!cell) return v;
  const model::CellValue& c = cell->value;
  if (c.is_number()) {
    v.kind = CacheValue::Kind::Number;
    v.number = c.as_number();
  } else if (c.is_text()) {
    v.kind = c.as_text().empty() ? CacheValue::Kind::Empty : CacheValue::Kind::Text;
    v.text = c.as_text();
  } else if (c.is_bool()) {
    v.kind = CacheValue::Kind::Boolean;
    v.number = c.as_bool() ? 1 : 0;
  } else if (c.is_error()) {
    v.kind = CacheValue::Kind::Error;
    v.number = static_cast<int32_t>(c.as_error()) - static_cast<int32_t>(CellError::Null);
  }
  return v;
}

std::u16string name_text(const model::Cell* cell) {
  const CacheValue v = value_of(cell);
  if (v.kind == CacheValue::Kind::Text) return v.text;
  if (v.kind == CacheValue::Kind::Number) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", v.number);
    return std::u16string(text, text + std::char_traits<char>::length(text));
  }
  return {};
}

// Items are one per value; texts that differ only in letter case are the same item.
using ItemKey = std::tuple<int, double, std::u16string>;
ItemKey key_of(const CacheValue& v) {
  return {static_cast<int>(v.kind), v.kind == CacheValue::Kind::Text ? 0 : v.number,
          v.kind == CacheValue::Kind::Text ? upper(v.text) : std::u16string()};
}

std::u16string stream_name(uint16_t id) {
  char name[8];
  std::snprintf(name, sizeof name, "%04X", id);
  return u"_SX_DB_CUR/" + std::u16string(name, name + 4);
}

void put_record(std::vector<uint8_t>& stream, uint16_t id, const std::vector<uint8_t>& payload) {
  PivotBytes header;
  header.u16(id);
  header.u16(static_cast<uint16_t>(payload.size()));
  const auto h = header.take();
  stream.insert(stream.end(), h.begin(), h.end());
  stream.insert(stream.end(), payload.begin(), payload.end());
}

void put_value(std::vector<uint8_t>& stream, const CacheValue& v) {
  PivotBytes p;
  switch (v.kind) {
    case CacheValue::Kind::Number: p.f64(v.number); put_record(stream, kSxNum, p.take()); break;
    case CacheValue::Kind::Text: p.counted(v.text.substr(0, 255)); put_record(stream, kSxString, p.take()); break;
    case CacheValue::Kind::Boolean: p.u16(v.number != 0 ? 1 : 0); put_record(stream, kSxBool, p.take()); break;
    case CacheValue::Kind::Error: p.u16(static_cast<uint16_t>(v.number)); put_record(stream, kSxErr, p.take()); break;
    case CacheValue::Kind::Empty: put_record(stream, kSxNil, {}); break;
  }
}

uint16_t field_flags(const CacheField& field) {
  bool numbers = false, others = false;
  for (const CacheValue& v : field.items) {
    if (v.kind == CacheValue::Kind::Number) numbers = true;
    else if (v.kind != CacheValue::Kind::Empty) others = true;
  }
  uint16_t flags = kAllAtoms | kNonDates;
  if (numbers && !others) flags |= kNumField | kNumbersOnly | kMinMaxValid;
  else flags |= kTextField;
  if (field.items.size() > 255) flags |= kShortIndexes;
  return flags;
}

std::vector<uint8_t> stream_bytes(const PivotCache& cache, uint16_t id) {
  std::vector<uint8_t> out;
  PivotBytes db;
  db.u32(static_cast<uint32_t>(cache.records()));
  db.u16(id);
  db.u16(0x0021);  // the records are saved with the table; refreshing is allowed
  db.u16(0x1FFF);  // records per block
  db.u16(static_cast<uint16_t>(cache.source_fields));
  db.u16(static_cast<uint16_t>(cache.fields.size()));
  db.u16(0);
  db.u16(1);       // the source is a worksheet range
  db.u16(0xFFFF);  // no user name of the last refresh
  put_record(out, kSxDb, db.take());
  PivotBytes ex;
  ex.f64(0);
  ex.u32(0);
  put_record(out, kSxDbEx, ex.take());
  for (const CacheField& field : cache.fields) {
    PivotBytes f;
    f.u16(field_flags(field));
    f.u16(0);
    f.u16(0);
    f.u16(static_cast<uint16_t>(field.items.size()));
    f.u16(0);
    f.u16(0);
    f.u16(static_cast<uint16_t>(field.items.size()));
    f.counted(field.name);
    put_record(out, kSxFdb, f.take());
    PivotBytes type;
    type.u16(0);
    put_record(out, kSxFdbType, type.take());
    for (const CacheValue& v : field.items) put_value(out, v);
  }
  for (size_t r = 0; r < cache.records(); ++r) {
    PivotBytes rec;
    for (size_t f = 0; f < cache.source_fields; ++f) {
      const uint32_t index = cache.cells[r * cache.source_fields + f];
      if (cache.fields[f].items.size() > 255) rec.u16(static_cast<uint16_t>(index));
      else rec.u8(static_cast<uint8_t>(index));
    }
    put_record(out, kSxDbb, rec.take());
  }
  put_record(out, kEof, {});
  return out;
}

}  // namespace

PivotCache cache_from_range(const model::Sheet& sheet, const model::RangeRef& range) {
  const int columns = range.last.col - range.first.col + 1;
  if (range.last.row <= range.first.row) throw PivotError("the source range holds no record under its field names");
  if (columns > static_cast<int>(kMaxFields)) throw PivotError("the source range has too many fields");
  PivotCache cache;
  cache.source_fields = static_cast<size_t>(columns);
  std::vector<std::map<ItemKey, uint32_t>> seen(cache.source_fields);
  for (int c = 0; c < columns; ++c) {
    CacheField field;
    field.name = name_text(sheet.cells.find({range.first.row, range.first.col + c}));
    if (field.name.empty()) throw PivotError("a field of the source range has no name");
    for (const CacheField& other : cache.fields)
      if (upper(other.name) == upper(field.name)) throw PivotError("two fields of the source range have the same name");
    field.has_items = true;
    cache.fields.push_back(std::move(field));
  }
  const size_t records = static_cast<size_t>(range.last.row - range.first.row);
  cache.cells.reserve(records * cache.source_fields);
  for (int r = range.first.row + 1; r <= range.last.row; ++r) {
    for (int c = 0; c < columns; ++c) {
      const CacheValue v = value_of(sheet.cells.find({r, range.first.col + c}));
      auto& items = cache.fields[static_cast<size_t>(c)].items;
      const auto [it, added] = seen[static_cast<size_t>(c)].emplace(key_of(v), static_cast<uint32_t>(items.size()));
      if (added) {
        if (items.size() >= kMaxItems) throw PivotError("a field of the source range has too many different values");
        items.push_back(v);
      }
      cache.cells.push_back(it->second);
    }
  }
  return cache;
}

uint16_t add_cache(model::Workbook& wb, const PivotCache& cache, const std::u16string& source_sheet,
                   const model::RangeRef& source) {
  uint16_t id = 1;
  uint16_t index = 0;
  size_t insert_at = wb.other_records.size();
  for (size_t i = 0; i < wb.other_records.size(); ++i) {
    const auto& r = wb.other_records[i];
    if (r.id == kSxIdStm && r.payload.size() >= 2) {
      id = std::max<uint16_t>(id, static_cast<uint16_t>((r.payload[0] | (r.payload[1] << 8)) + 1));
      ++index;
    }
    if (r.id == kSxIdStm || r.id == kSxVs || r.id == kDConRef || r.id == 0x0052 || r.id == 0x0053) insert_at = i + 1;
  }
  std::vector<model::RawRecord> globals;
  PivotBytes stream_id;
  stream_id.u16(id);
  globals.push_back(raw(kSxIdStm, stream_id.take()));
  PivotBytes kind;
  kind.u16(1);  // a worksheet range
  globals.push_back(raw(kSxVs, kind.take()));
  PivotBytes ref;
  ref.u16(static_cast<uint16_t>(source.first.row));
  ref.u16(static_cast<uint16_t>(source.last.row));
  ref.u8(static_cast<uint8_t>(source.first.col));
  ref.u8(static_cast<uint8_t>(source.last.col));
  const std::u16string file = u"\x02" + source_sheet;  // a sheet of this workbook
  ref.counted(file);
  ref.u8(0);
  if (!is_narrow(file)) ref.u8(0);
  globals.push_back(raw(kDConRef, ref.take()));
  wb.other_records.insert(wb.other_records.begin() + static_cast<std::ptrdiff_t>(insert_at), globals.begin(), globals.end());

  if (!wb.stream(u"_SX_DB_CUR")) wb.extra_streams.push_back(model::ExtraStream::storage(u"_SX_DB_CUR"));
  wb.extra_streams.push_back(model::ExtraStream::stream(stream_name(id), stream_bytes(cache, id)));
  return index;
}

}  // namespace tabrel::pivot
