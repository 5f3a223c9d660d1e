#include "recalc_json.h"

#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/engine_text.h"

namespace tabrel::dump {

CellExtras recalculated_members(xl::Book& book) {
  return [&book](const model::Sheet& sheet, model::CellRef at, const model::Cell& cell, json::StreamWriter& out) {
    // A constant's computed value is the value it holds, and a blank cell shows nothing.
    const model::CellValue result = cell.has_formula() ? xl::cell_value(book, sheet, at) : model::CellValue();
    const model::CellValue& computed = cell.has_formula() ? result : cell.value;
    out.key("computed");
    out.begin_object();
    write_value_members(out, computed);
    out.end_object();
    out.key("text");
    if (computed.is_blank()) out.string("");
    else out.string(std::u16string_view(xl::displayed_text(book, sheet, at)));
  };
}

}  // namespace tabrel::dump
