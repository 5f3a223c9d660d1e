#pragma once
// Laying a pivot table out again from its cache: the records its page fields let through are
// summed (counted, averaged ...) by row item and column item, and the table's cells are written
// as the Korean spreadsheet shows them, with the captions the file stores or the Korean defaults.
// Supported: up to four row fields, in the tabular form (a column each, an outer item's subtotal
// on a line below its group), the outline form (a column each, an outer item on a line of its
// own carrying its subtotal) or the compact form (as the outline form, all in one column), at
// most one column field, and several data fields only when there is no column field; other
// arrangements (and subtotals by functions of their own) raise PivotError.

#include <cstdint>
#include <vector>

#include "spreadsheet/model/cell_ref.h"
#include "spreadsheet/pivot/pivot_cache.h"
#include "spreadsheet/pivot/pivot_view.h"

namespace tabrel::pivot {

struct LayoutCell {
  model::CellRef at;
  CacheValue value;
  bool is_data = false;        // a summarised value, shown in its data field's number format
  uint16_t number_format = 0;
};

// A line of the row or column area as the file's line records keep it: the view items of the
// axis's fields (a data field's position for the data pseudo-field), of which the first `shown`
// stand on the line.
struct PivotLine {
  uint16_t type = 0;            // 0 items, 1 an outer item's subtotal, 0x0D the grand total
  uint16_t shown = 0;
  uint16_t flags = 0;           // 0x0200 a subtotal, 0x0800 the grand total, 0x1000 several data fields
  std::vector<int16_t> items;   // one per field of the axis
};

struct PivotLayout {
  model::RangeRef area;            // the table without its page fields
  std::vector<LayoutCell> cells;   // every cell of the area and of the page fields that shows something
  std::vector<PivotLine> row_lines, column_lines;  // top to bottom, left to right
};

// `page_items` holds the current view item of each page field (kAllItems for all). Raises
// PivotError when the view and the cache disagree (a field or item the cache lacks).
PivotLayout lay_out(const PivotView& view, const PivotCache& cache, const std::vector<int16_t>& page_items);

// The caption of a view field, and the text the spreadsheet shows for a view item.
std::u16string field_caption(const PivotView& view, const PivotCache& cache, int16_t field);
CacheValue item_caption(const PivotView& view, const PivotCache& cache, int16_t field, int16_t item);

}  // namespace tabrel::pivot
