#pragma once
// The pivot cache of a table: the cache fields with their shared items and the source records
// as the file stores them in its "_SX_DB_CUR" storage. A cache whose records disagree with its
// field definitions is refused (PivotError), never used for indexing.

#include <cstdint>
#include <string>
#include <vector>

#include "spreadsheet/model/workbook.h"
#include "spreadsheet/pivot/pivot_view.h"

namespace tabrel::pivot {

// One value of a cache: an item of a field or a field's value in a record.
struct CacheValue {
  enum class Kind : uint8_t { Empty, Number, Text, Boolean, Error };
  Kind kind = Kind::Empty;
  double number = 0;  // numbers, dates as serials, booleans as 0/1, error codes
  std::u16string text;
  bool operator==(const CacheValue&) const = default;
};

struct CacheField {
  std::u16string name;
  std::vector<CacheValue> items;  // the shared items; empty for a field stored per record
  bool shared() const { return has_items; }
  bool has_items = false;
};

struct PivotCache {
  std::vector<CacheField> fields;
  size_t source_fields = 0;  // the fields the records carry (the others are grouping fields)
  // Record r's value of field f: an item index for a shared field, else an index into `values`.
  std::vector<uint32_t> cells;  // records * source_fields
  std::vector<CacheValue> values;
  size_t records() const { return source_fields == 0 ? 0 : cells.size() / source_fields; }
  const CacheValue& value(size_t record, size_t field) const;
};

// The cache number `index` of the workbook (the order of its SXIDSTM records).
PivotCache read_cache(const model::Workbook& wb, uint16_t index);

}  // namespace tabrel::pivot
