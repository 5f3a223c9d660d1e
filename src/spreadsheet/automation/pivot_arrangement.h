#pragma once
// Changing the fields of a stored pivot table: the table's arrangement (its fields by area and
// its data fields) is read from its view, changed, and the table is made again in its place from
// its cache: the view records are replaced, the cells rewritten, page items kept where the field
// stays on the page area. A table without a row field or a data field is still being built: it
// keeps its records and page fields, its body stays empty.

#include <functional>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/pivot/pivot_layout.h"
#include "spreadsheet/pivot/pivot_new_view.h"
#include "spreadsheet/pivot/pivot_view.h"

namespace tabrel::xl {

// PivotField.Orientation: xlHidden, xlRowField, xlColumnField, xlPageField, xlDataField.
inline constexpr int kHidden = 0, kRowField = 1, kColumnField = 2, kPageField = 3, kDataField = 4;

struct PivotArrangement {
  pivot::PivotSpec spec;
  // The body's top-left cell. Page fields stand above it (a field a row, then a blank row); where
  // the rows above are too few, the body moves down.
  model::CellRef anchor;
};

// Raises 1004 when the table's records or its cache do not read.
pivot::PivotView view_of(const SheetHandle& sheet, size_t record);
PivotArrangement arrangement_of(const SheetHandle& sheet, size_t record);
pivot::PivotCache cache_of(const SheetHandle& sheet, size_t record);

// Makes the table at `record` again with `change` applied to its arrangement. Raises 1004 for an
// arrangement the table cannot take (a field on two areas, an arrangement it cannot lay out).
void rearrange(const SheetHandle& sheet, size_t record, const std::function<void(PivotArrangement&)>& change);

// A new table on cache `cache_index` at `anchor`, placed after the sheet's other tables; returns
// its SXVIEW's index.
size_t place_table(const SheetHandle& sheet, uint16_t cache_index, const pivot::PivotCache& cache,
                   const PivotArrangement& arrangement);

// A data field's function from its xl constant (xlSum -4157, xlCount -4112, xlAverage -4106 ...),
// raising 5 for another value; and back.
uint16_t pivot_function(int xl_function);
int xl_function(uint16_t function);

// Replaces the cells of the table's area and page fields with those of `layout`.
void write_pivot_cells(const SheetHandle& sheet, const pivot::PivotView& view, const pivot::PivotLayout& layout);

}  // namespace tabrel::xl
