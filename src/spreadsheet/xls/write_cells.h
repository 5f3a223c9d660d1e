#pragma once
// The cell table of a worksheet: DIMENSIONS, then blocks of up to 32 rows, each with its ROW
// records followed by the cells of those rows (NUMBER/RK, LABELSST, BOOLERR, BLANK, FORMULA with
// its SHRFMLA/ARRAY/TABLE and STRING records).

#include <cstdint>
#include <optional>

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/sheet.h"
#include "spreadsheet/xls/write_shared_strings.h"

namespace tabrel::xls {

void write_dimensions(biff::RecordWriter& out, const model::Sheet& sheet);

// xf_count: number of XF records written; cell formats past it fall back to the default.
void write_cell_table(biff::RecordWriter& out, const model::Sheet& sheet,
                      const SharedStringTable& strings, size_t xf_count);

// The RK form of a number when it holds the value exactly.
std::optional<uint32_t> rk_encode(double value);

// The eight bytes FORMULA stores for a cached result, and whether a STRING record follows.
struct FormulaResult {
  uint8_t bytes[8];
  bool needs_string;
};
FormulaResult formula_result(const model::CellValue& value);

}  // namespace tabrel::xls
