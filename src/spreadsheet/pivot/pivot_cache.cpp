#include "spreadsheet/pivot/pivot_cache.h"

#include <cstdio>

#include "spreadsheet/biff/format_error.h"
#include "spreadsheet/biff/record_cursor.h"
#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/pivot/pivot_records.h"

namespace tabrel::pivot {
namespace {

constexpr uint16_t kSxInt = 0x00CC, kSxDtr = 0x00CE;

bool is_value_record(uint16_t type) { return type >= kSxNum && type <= kSxNil; }

// Days from 1900-01-00 in the spreadsheet's reckoning, with its 29 February 1900.
double date_serial(int year, int month, int day) {
  static constexpr int kCumulative[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  if (month < 1 || month > 12) throw PivotError("a cached date is out of range");
  long days = 0;
  for (int y = 1900; y < year; ++y) days += (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) ? 366 : 365;
  days += kCumulative[month - 1] + day;
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  if (leap && month > 2) ++days;
  if (year > 1900 || (year == 1900 && month > 2)) ++days;  // the fictitious 29 February 1900
  return static_cast<double>(days);
}

CacheValue read_value(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  CacheValue v;
  switch (rec.type) {
    case kSxNum: v.kind = CacheValue::Kind::Number; v.number = c.f64(); break;
    case kSxInt: v.kind = CacheValue::Kind::Number; v.number = static_cast<int16_t>(c.u16()); break;
    case kSxBool: v.kind = CacheValue::Kind::Boolean; v.number = c.u16() != 0 ? 1 : 0; break;
    case kSxErr: v.kind = CacheValue::Kind::Error; v.number = c.u16(); break;
    case kSxString: {
      const uint16_t count = c.u16();
      const uint8_t flags = c.u8();
      v.kind = CacheValue::Kind::Text;
      v.text = c.chars(count, (flags & 0x1) != 0);
      break;
    }
    case kSxDtr: {
      const int year = c.u16();
      const int month = c.u16();
      const int day = c.u8();
      const int hour = c.u8();
      const int minute = c.u8();
      const int second = c.u8();
      if (year < 1900 || year > 9999 || day > 31 || hour > 23 || minute > 59 || second > 59)
        throw PivotError("a cached date is out of range");
      v.kind = CacheValue::Kind::Number;
      v.number = date_serial(year, month, day) + (hour * 3600 + minute * 60 + second) / 86400.0;
      break;
    }
    default: break;  // SXNIL: an empty value
  }
  return v;
}

std::vector<uint16_t> stream_ids(const model::Workbook& wb) {
  std::vector<uint16_t> ids;
  for (const auto& r : wb.other_records)
    if (r.id == kSxIdStm && r.payload.size() >= 2) ids.push_back(static_cast<uint16_t>(r.payload[0] | (r.payload[1] << 8)));
  return ids;
}

std::u16string stream_path(uint16_t id) {
  char name[8];
  std::snprintf(name, sizeof name, "%04X", id);
  std::u16string path = u"_SX_DB_CUR/";
  for (const char* p = name; *p; ++p) path.push_back(static_cast<char16_t>(*p));
  return path;
}

struct FieldLayout {
  bool shared = false;
  bool wide_index = false;
  size_t item_count = 0;
};

class CacheParser {
 public:
  explicit CacheParser(std::span<const uint8_t> bytes) : reader_(bytes) {}

  PivotCache parse() {
    biff::Record rec;
    if (!reader_.next(rec) || rec.type != kSxDb) throw PivotError("the cache does not begin with its header");
    biff::RecordCursor c(rec);
    const uint32_t declared_records = c.u32();
    c.skip(2);  // idstm
    const uint16_t flags = c.u16();
    c.skip(2);
    const uint16_t source_fields = c.u16();
    const uint16_t total_fields = c.u16();
    if (source_fields > total_fields) throw PivotError("the cache counts more source fields than fields");
    cache_.source_fields = source_fields;
    const bool saved = (flags & 0x1) != 0;

    bool have = reader_.next(rec);
    while (have && rec.type != kSxFdb && rec.type != kSxDbb && rec.type != kEof) have = reader_.next(rec);
    while (have && rec.type == kSxFdb) have = read_field(rec);
    if (cache_.fields.size() != total_fields) throw PivotError("the cache holds another number of fields than it counts");
    while (have && rec.type != kEof) {
      if (rec.type == kSxDbb) {
        have = read_record(rec);
      } else {
        have = reader_.next(rec);
      }
    }
    if (saved && cache_.records() != declared_records)
      throw PivotError("the cache holds another number of records than it counts");
    return std::move(cache_);
  }

 private:
  // One SXFDB and its items; returns whether a record follows, left in `rec`.
  bool read_field(biff::Record& rec) {
    biff::RecordCursor c(rec);
    const uint16_t flags = c.u16();
    c.skip(10);  // ifdbParent, ifdbBase, citmUnq, csxoper, cisxoper
    const uint16_t item_count = c.u16();
    const uint16_t name_length = c.u16();
    const uint8_t name_flags = c.u8();
    CacheField field;
    field.name = c.chars(name_length, (name_flags & 0x1) != 0);
    field.has_items = (flags & kAllAtoms) != 0;
    FieldLayout layout{field.has_items, (flags & kShortIndexes) != 0, item_count};
    bool have = reader_.next(rec);
    while (have && rec.type == 0x01BB) have = reader_.next(rec);  // SXFDBTYPE
    for (size_t i = 0; i < item_count; ++i) {
      if (!have || !is_value_record(rec.type)) throw PivotError("a cache field has fewer items than it counts");
      field.items.push_back(read_value(rec));
      have = reader_.next(rec);
    }
    while (have && rec.type != kSxFdb && rec.type != kSxDbb && rec.type != kEof) have = reader_.next(rec);
    if (cache_.fields.size() < cache_.source_fields) layouts_.push_back(layout);
    cache_.fields.push_back(std::move(field));
    return have;
  }

  // One SXDBB and the values of the unshared fields after it.
  bool read_record(biff::Record& rec) {
    biff::RecordCursor c(rec);
    const size_t base = cache_.cells.size();
    cache_.cells.resize(base + layouts_.size());
    for (size_t f = 0; f < layouts_.size(); ++f) {
      if (!layouts_[f].shared) continue;
      const uint32_t index = layouts_[f].wide_index ? c.u16() : c.u8();
      if (index >= layouts_[f].item_count) throw PivotError("a cache record names an item its field lacks");
      cache_.cells[base + f] = index;
    }
    if (!c.at_end()) throw PivotError("a cache record is longer than its fields");
    bool have = reader_.next(rec);
    for (size_t f = 0; f < layouts_.size(); ++f) {
      if (layouts_[f].shared) continue;
      if (!have || !is_value_record(rec.type)) throw PivotError("a cache record lacks a value");
      cache_.cells[base + f] = static_cast<uint32_t>(cache_.values.size());
      cache_.values.push_back(read_value(rec));
      have = reader_.next(rec);
    }
    return have;
  }

  biff::RecordReader reader_;
  PivotCache cache_;
  std::vector<FieldLayout> layouts_;
};

}  // namespace

const CacheValue& PivotCache::value(size_t record, size_t field) const {
  const uint32_t index = cells[record * source_fields + field];
  return fields[field].has_items ? fields[field].items[index] : values[index];
}

PivotCache read_cache(const model::Workbook& wb, uint16_t index) {
  const auto ids = stream_ids(wb);
  if (index >= ids.size()) throw PivotError("the table names a cache the workbook lacks");
  const model::ExtraStream* stream = wb.stream(stream_path(ids[index]));
  if (!stream || stream->is_storage) throw PivotError("the cache's stream is missing");
  try {
    return CacheParser(stream->bytes()).parse();
  } catch (const biff::FormatError&) {
    throw PivotError("the cache's records are damaged");
  }
}

}  // namespace tabrel::pivot
