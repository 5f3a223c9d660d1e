#pragma once
// A new pivot cache made from a range of a worksheet: the range's first row names the fields,
// every row below it is a record. The cache is stored as the file keeps one: its records in a
// stream of the "_SX_DB_CUR" storage, and in the workbook globals the stream's id, the source
// kind and the source range.

#include <cstdint>
#include <string>

#include "spreadsheet/model/workbook.h"
#include "spreadsheet/pivot/pivot_cache.h"

namespace tabrel::pivot {

// Raises PivotError for a range of fewer than two rows, a field without a name, two fields of
// the same name, or more fields or items than a pivot table holds.
PivotCache cache_from_range(const model::Sheet& sheet, const model::RangeRef& range);

// Adds the cache to the workbook and returns its index among the workbook's caches.
uint16_t add_cache(model::Workbook& wb, const PivotCache& cache, const std::u16string& source_sheet,
                   const model::RangeRef& source);

}  // namespace tabrel::pivot
