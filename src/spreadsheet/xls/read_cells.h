#pragma once
// Cell records of a sheet substream (NUMBER, RK, MULRK, LABELSST, LABEL, RSTRING, BOOLERR,
// BLANK, MULBLANK, FORMULA with its STRING, SHRFMLA, ARRAY, TABLE) into the sheet's cells.

#include <cstdint>
#include <optional>
#include <vector>

#include "spreadsheet/biff/record.h"
#include "spreadsheet/model/sheet.h"

namespace tabrel::xls {

struct CellContext {
  model::Sheet& sheet;
  const std::vector<model::CellValue::Text>& shared_strings;
  std::optional<model::CellRef> awaiting_string;  // a FORMULA whose text result follows in STRING
};

// Reads `rec` when it is a cell record and returns true; false for any other record type.
// Throws biff::FormatError for a payload shorter than its layout or a cell outside the sheet.
bool read_cell_record(const biff::Record& rec, CellContext& ctx);

// The number an RK value encodes.
double decode_rk(uint32_t rk);

}  // namespace tabrel::xls
