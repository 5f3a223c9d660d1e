#pragma once
// The series formula the spreadsheet shows for a series, =SERIES(name,categories,values,order
// [,bubble sizes]), and the cells a series link refers to.

#include <optional>
#include <string>
#include <vector>

#include "spreadsheet/formula/print.h"
#include "spreadsheet/model/chart.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::charts {

// One rectangular area of cells on a sheet of the workbook (0-based sheet index).
struct CellArea {
  int sheet = 0;
  model::RangeRef range;
};

// The areas a link refers to, in order (a multi-area reference gives several); nullopt when the
// link is no reference, or refers to another workbook, a deleted sheet or #REF!.
std::optional<std::vector<CellArea>> link_areas(const model::Workbook& wb, const model::ChartLink& link);

// A link as the series formula shows it: the reference with its sheet ("Sheet1!R3C2" in R1C1),
// a literal text in quotes, cached literal values as an array constant, or "" when the link is
// automatic (no categories). Malformed tokens show "#REF!".
std::u16string link_text(const model::Workbook& wb, const model::ChartLink& link, const std::u16string& literal,
                         const std::vector<model::ChartValue>& cached, formula::Notation notation);

// The series' plot order, from 1: its own format's plot-order field, else its position.
int plot_order(const model::Series& series, int position);

// =SERIES(name,categories,values,order) of the plotted series at `position` (from 0), with
// ",bubble sizes" for a bubble chart's series.
std::u16string series_formula(const model::Workbook& wb, const model::Chart& chart, size_t position,
                              formula::Notation notation);

}  // namespace tabrel::charts
