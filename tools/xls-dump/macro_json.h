#pragma once
// The workbook's macro project in the dump: whether it could be read (and why not), its code
// page, and each module's name, kind and source text.

#include "json.h"
#include "spreadsheet/model/macro_project.h"

namespace tabrel::dump {

json::Value macro_project_json(const model::MacroProject& project);

}  // namespace tabrel::dump
