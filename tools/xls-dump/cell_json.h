#pragma once
// A sheet's cells as the dump streams them: one cell a line, keyed by its A1 address, its
// format named by its index in the workbook's "xfs" table:
//   "B2": {"xf":15,"type":"number","value":2.5,"formula":true, ...the caller's members}

#include <functional>

#include "json_stream.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::dump {

// Members a dump adds to each cell's object (what the engine computes, for one), written into
// the open object.
using CellExtras =
    std::function<void(const model::Sheet&, model::CellRef, const model::Cell&, json::StreamWriter& out)>;

// A cell value's members: "type" ("number" | "text" | "bool" | "error" | "blank") and "value".
void write_value_members(json::StreamWriter& out, const model::CellValue& value);

// The "cells" object's members, in row-major order.
void write_cells(json::StreamWriter& out, const model::Sheet& sheet, const CellExtras& extras);

}  // namespace tabrel::dump
