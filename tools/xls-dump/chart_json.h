#pragma once
// A chart as the dump prints it: groups with their types, series with their formulas and
// cached values, axes with their scales, titles, legend, data table and what could not be read.

#include "json.h"
#include "spreadsheet/model/chart.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::dump {

json::Value chart_json(const model::Workbook& book, const model::Chart& chart);

}  // namespace tabrel::dump
