#pragma once
// What the engine read from a workbook, as JSON in the field meanings of the corpus's expected
// dumps: palette indexes for colours, BIFF codes for alignment and line styles, file units for
// sizes. Beyond those fields it adds the sheet kind, formula markers and the drawing objects.

#include <functional>
#include <ostream>
#include <string>

#include "json.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::dump {

// Members a dump adds to each cell's object (what the engine computes, for one).
using CellExtras = std::function<void(const model::Sheet&, model::CellRef, json::Object& cell)>;

// Writes the dump as it goes, one cell at a time, so that its size does not matter.
void write_workbook_json(std::ostream& out, const model::Workbook& book, const std::string& file_name,
                         const CellExtras& extras = {});

// The same dump as a value, for workbooks small enough to hold it (the corpus tests).
json::Value workbook_json(const model::Workbook& book, const std::string& file_name);

// A cell value as the dump writes it: {"type": "number" | "text" | "bool" | "error" | "blank",
// "value": ...}.
json::Object value_json(const model::CellValue& value);

// The code of a built-in number format in English (id 0 is "General"); "" when not built in.
std::string builtin_format_code(uint16_t id);

}  // namespace tabrel::dump
