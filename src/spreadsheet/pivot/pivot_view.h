#pragma once
// A pivot table as a sheet stores it: the view records (SXVIEW and the records that follow it)
// read into fields by axis, their items, the page fields with their current item and the data
// fields. The records stay in the sheet as stored; what changes (the current page item, the
// table's extent) is written back into them, so the writer keeps the change.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "spreadsheet/model/sheet.h"

namespace tabrel::pivot {

// The view records do not read (a record too short, counts that disagree, an index out of
// range). The table's stored cells stay readable; the table cannot be laid out again.
struct PivotError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

inline constexpr uint16_t kAxisRow = 0x1, kAxisColumn = 0x2, kAxisPage = 0x4, kAxisData = 0x8;
inline constexpr int16_t kDataFieldIndex = -2;       // SXIVD entry that stands for the data fields
inline constexpr int16_t kAllItems = 0x7FFD;         // SXPI item: every item of the page field

struct ViewItem {
  uint16_t type = 0;          // 0 a data item; others are subtotal or grand-total items
  bool hidden = false;
  int16_t cache_index = -1;   // the item of the cache field it shows
  std::optional<std::u16string> caption;  // a caption the file stores
};

struct ViewField {
  uint16_t axis = 0;          // kAxisRow | kAxisColumn | kAxisPage | kAxisData
  uint16_t subtotals = 0;     // grbitSub
  std::optional<std::u16string> caption;
  std::vector<ViewItem> items;
  uint32_t extra_flags = 0;   // SXVDEX grbit: compact and outline forms, show all items ...
  bool show_all_items() const { return (extra_flags & 0x1) != 0; }
};

struct PageField {
  int16_t field = 0;          // view field
  int16_t item = kAllItems;   // view item, or kAllItems
  size_t record = 0;          // the SXPI record in Sheet::other_records
  size_t entry = 0;           // its position in that record
};

struct DataField {
  int16_t field = 0;          // view field whose values it summarises
  uint16_t function = 0;      // 0 sum, 1 count, 2 average, 3 max, 4 min, 5 product, 6 count numbers ...
  uint16_t number_format = 0; // number-format id of its values
  std::optional<std::u16string> caption;
};

struct PivotView {
  model::RangeRef area;       // the table without its page fields
  int first_header_row = 0;   // rwFirstHead
  int first_data_row = 0;     // rwFirstData
  int first_data_col = 0;     // colFirstData
  uint16_t cache = 0;         // index of the cache among the workbook's caches
  uint16_t data_axis = 0;     // where several data fields stand: kAxisRow or kAxisColumn
  uint16_t flags = 0;         // fRwGrand 0x1 (a grand-total row), fColGrand 0x2 (a grand-total column)
  std::u16string name;
  std::u16string data_caption;
  std::vector<ViewField> fields;
  std::vector<int16_t> row_fields, column_fields;
  std::vector<PageField> page_fields;
  std::vector<DataField> data_fields;
  size_t record = 0;          // the SXVIEW record in Sheet::other_records

  bool grand_total_row() const { return (flags & 0x1) != 0; }
  bool grand_total_column() const { return (flags & 0x2) != 0; }
  // The cells of the page fields: a caption and an item cell per field, above the table.
  std::optional<model::RangeRef> page_area() const;
  // Compact form: the row fields share one column headed by a "row labels" caption.
  bool compact() const;
};

// The pivot tables of a sheet in the order it stores them. A table whose records do not read
// raises PivotError.
std::vector<size_t> view_records(const model::Sheet& sheet);
PivotView read_view(const model::Sheet& sheet, size_t record);

// Writes the current item of a page field and the table's extent back into the stored records.
void store_page_item(model::Sheet& sheet, const PageField& page, int16_t item);
void store_area(model::Sheet& sheet, const PivotView& view, const model::RangeRef& area);

}  // namespace tabrel::pivot
