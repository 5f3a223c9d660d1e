#pragma once
// The cell table of a worksheet: DIMENSIONS, then blocks of up to 32 rows, each with its ROW
// records followed by the cells of those rows (NUMBER/RK, LABELSST, BOOLERR, BLANK, FORMULA with
// its SHRFMLA/ARRAY/TABLE and STRING records) and a DBCELL record locating them.

#include <cstdint>
#include <optional>
#include <vector>

#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/model/sheet.h"
#include "spreadsheet/xls/write_shared_strings.h"

namespace tabrel::xls {

void write_dimensions(biff::RecordWriter& out, const model::Sheet& sheet);

// What the sheet's INDEX record says of its cell table: the rows it spans and where each
// block's DBCELL record lies.
struct CellTableIndex {
  int first_row = 0;               // first row with a ROW record (0 when none)
  int end_row = 0;                 // one past the last (0 when none)
  std::vector<uint64_t> dbcells;   // stream position of each block's DBCELL record
};

// The number of row blocks the cell table has.
size_t cell_table_blocks(const model::Sheet& sheet);

// xf_count: number of XF records written; cell formats past it fall back to the default. Each
// block ends with its DBCELL record.
CellTableIndex write_cell_table(biff::RecordWriter& out, const model::Sheet& sheet,
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
