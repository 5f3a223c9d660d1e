#pragma once
// Laying a pivot table out again from its cache: the records its page fields let through are
// summed (counted, averaged ...) by row item and column item, and the table's cells are written
// as the Korean spreadsheet shows them, with the captions the file stores or the Korean defaults.
// Supported: one row field (any form) or up to four in the tabular or outline forms (a column
// each; an outer item's subtotal below its lines, or on its own line above them), at most one
// column field, and several data fields only when there is no column field; other arrangements
// raise PivotError.

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

struct PivotLayout {
  model::RangeRef area;            // the table without its page fields
  std::vector<LayoutCell> cells;   // every cell of the area and of the page fields that shows something
};

// `page_items` holds the current view item of each page field (kAllItems for all). Raises
// PivotError when the view and the cache disagree (a field or item the cache lacks).
PivotLayout lay_out(const PivotView& view, const PivotCache& cache, const std::vector<int16_t>& page_items);

// The caption of a view field, and the text the spreadsheet shows for a view item.
std::u16string field_caption(const PivotView& view, const PivotCache& cache, int16_t field);
CacheValue item_caption(const PivotView& view, const PivotCache& cache, int16_t field, int16_t item);

}  // namespace tabrel::pivot
