#pragma once
// What the engine read from a workbook, as JSON in the field meanings of the corpus's expected
// dumps: palette indexes for colours, BIFF codes for alignment and line styles, file units for
// sizes. Beyond those fields it adds the sheet kind, formula markers and the drawing objects.

#include <string>

#include "json.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::dump {

json::Value workbook_json(const model::Workbook& book, const std::string& file_name);

// The code of a built-in number format in English (id 0 is "General"); "" when not built in.
std::string builtin_format_code(uint16_t id);

}  // namespace tabrel::dump
