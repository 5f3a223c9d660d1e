#pragma once
// Answer and target workbooks with charts for the chart procedures: Sheet1 holds a small table
// (months in A2:A7, sales in B2:B7, costs in C2:C7, headers in row 1) and the chart objects;
// Sheet2 may be a chart sheet.

#include <memory>
#include <vector>

#include "../support/chart_records.h"
#include "inspect/excel_objects.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::inspect::testing {

inline constexpr model::Anchor kChartPlace{1, 0, 8, 0, 7, 0, 22, 0, 2};

chart_test::SeriesSpec sales_series();  // =SERIES(Sheet1!R1C2,Sheet1!R2C1:R7C1,Sheet1!R2C2:R7C2,1)
chart_test::SeriesSpec cost_series();   // the same over column C
chart_test::ChartSpec column_chart();   // the sales and cost series, legend at the right

// A workbook with the table and one chart object for each chart described (each at its anchor).
std::unique_ptr<model::Workbook> chart_book(const std::vector<chart_test::ChartSpec>& charts,
                                            const std::vector<model::Anchor>& places = {});

// A workbook whose Sheet2 is a chart sheet holding `spec` (and Sheet1 the table only).
std::unique_ptr<model::Workbook> chart_sheet_book(const chart_test::ChartSpec& spec);

// Opens both with the inspected sheets on Sheet1, Sheet1 active in both instances.
ExcelObjects open_charts(std::unique_ptr<model::Workbook> answer, std::unique_ptr<model::Workbook> target);

}  // namespace tabrel::inspect::testing
