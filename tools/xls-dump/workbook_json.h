#pragma once
// What the engine read from a workbook, as JSON in the field meanings of the corpus's expected
// dumps: palette indexes for colours, BIFF codes for alignment and line styles, file units for
// sizes. Beyond those fields it adds the sheet kind, formula markers and the drawing objects.
// The cell formats are written once, as the workbook's "xfs" table, which each cell's "xf"
// indexes; each cell takes one line (see cell_json.h).

#include <ostream>
#include <string>

#include "cell_json.h"
#include "json.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::dump {

// Writes the dump as it goes, one cell at a time, so that its size does not matter.
void write_workbook_json(std::ostream& out, const model::Workbook& book, const std::string& file_name,
                         const CellExtras& extras = {});

// The same dump as a value, for workbooks small enough to hold it (the corpus tests).
json::Value workbook_json(const model::Workbook& book, const std::string& file_name);

}  // namespace tabrel::dump
