#pragma once
// A pivot table put into a test workbook as a file stores it: the view records on a sheet, the
// cache stream in "_SX_DB_CUR" and the SXIDSTM record that names it. Every cache field shares
// its items (in order of first appearance) unless it is listed as unshared.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "spreadsheet/model/workbook.h"

namespace tabrel::testing {

using CacheCell = std::variant<std::monostate, double, std::u16string>;

struct DataSpec {
  int field = 0;
  uint16_t function = 0;  // 0 sum, 1 count, 2 average ...
  uint16_t number_format = 0;
  std::optional<std::u16string> caption;
};

struct PivotSpec {
  std::vector<std::u16string> fields;
  std::vector<std::vector<CacheCell>> records;
  std::vector<int> unshared;            // cache fields stored per record
  int row_field = 0;
  int column_field = -1;
  int page_field = -1;
  int16_t page_item = 0x7FFD;           // view item of the page field, 0x7FFD all
  std::vector<DataSpec> data;
  int top = 3, left = 0;                // 0-based first row and column of the table
  uint16_t flags = 0x3;                 // grand-total row and column
  bool compact = true;
  std::vector<int> hidden_row_items;    // view items of the row field that are hidden
};

// Adds the table to sheet `sheet` and its cache as the workbook's next cache. The table's area
// is its first cell; the layout writes its extent.
void add_pivot(model::Workbook& wb, size_t sheet, const PivotSpec& spec);

// The cache stream bytes of a spec, for tests that damage them.
std::vector<uint8_t> cache_stream(const PivotSpec& spec);

}  // namespace tabrel::testing
