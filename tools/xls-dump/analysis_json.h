#pragma once
// The analysis parts of a sheet in the dump: its pivot tables (fields by axis, page items, data
// fields, and the cells a selection of all page items lays out), its filter criteria, its
// outline levels and its scenarios.

#include "json.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::dump {

// Adds "pivot_tables", "outline" and "scenarios" to a sheet's members and the criteria to its
// "autofilter" member, when the sheet has them.
void add_analysis_json(const model::Workbook& book, const model::Sheet& sheet, json::Object& members);

}  // namespace tabrel::dump
