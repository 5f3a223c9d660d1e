#pragma once
// A new pivot table on a cache: the fields chosen for the page, row, column and data areas
// become a view in the classic layout of the spreadsheet's files (field names as captions, a
// caption row above the headers, grand totals), and the view is stored as the records a sheet
// keeps (SXVIEW, SXVD, SXVI, SXVDEX, SXIVD, SXPI, SXDI, SXLI, SXEX).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "spreadsheet/model/sheet.h"
#include "spreadsheet/pivot/pivot_cache.h"
#include "spreadsheet/pivot/pivot_layout.h"
#include "spreadsheet/pivot/pivot_view.h"

namespace tabrel::pivot {

struct DataFieldSpec {
  int16_t field = 0;          // cache field
  uint16_t function = 0;      // 0 sum, 1 count, 2 average (as DataField::function)
  std::optional<std::u16string> caption;  // else "합계 : 필드" and the like
  uint16_t number_format = 0;
};

struct PivotSpec {
  std::u16string name;
  std::vector<int16_t> page_fields, row_fields, column_fields;  // cache fields, outermost first
  std::vector<DataFieldSpec> data_fields;
};

// The view of a table whose body begins at `at` (its page fields stand above it, one row each,
// and a blank row). Its area reaches the first data cell until the table is laid out. Raises PivotError
// for a field used twice on the axes, a field the cache lacks, or no room for the page fields
// above `at`. A view without data fields is a table still being built: it cannot be laid out.
PivotView new_view(const PivotCache& cache, uint16_t cache_index, const PivotSpec& spec, model::CellRef at);

// Stores the view's records, with the row and column lines of its layout, at `position` among
// the sheet's kept records (after the last table when nullopt); returns the SXVIEW's index in
// Sheet::other_records.
size_t add_view_records(model::Sheet& sheet, const PivotView& view, const PivotLayout& layout,
                        std::optional<size_t> position = std::nullopt);

// Removes the records of the table whose SXVIEW stands at `record` (the view and the records
// that belong to it, up to the next table or another kind of record).
void remove_view_records(model::Sheet& sheet, size_t record);

}  // namespace tabrel::pivot
