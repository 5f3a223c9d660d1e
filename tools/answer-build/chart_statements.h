#pragma once
// The `chart` statements of an answer-workbook source (syntax in answer_source.h): a chart made
// on the current sheet, then its title, axis titles, legend, series, data labels, font scaling
// and shadow, each applied to the sheet's last chart.

#include <string>
#include <vector>

#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::answers {

// `fields[0]` is "chart". Throws SourceError naming `line` for a statement that does not read.
void apply_chart(int line, const std::vector<std::u16string>& fields, xl::Worksheet& sheet);

// Brings every chart's cached series data up to the cells' values, once the workbook is calculated.
void refresh_chart_caches(model::Workbook& wb);

}  // namespace tabrel::answers
