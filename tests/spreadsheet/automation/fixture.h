#pragma once
// A small workbook built in memory for the automation tests: three worksheets, a hidden sheet
// and a chart sheet, default styles, and helpers to format cells.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::xl::testing {

// Sheets in order: "Data", "Form", "Hidden" (hidden), "Chart1" (chart sheet), "Last".
std::unique_ptr<model::Workbook> sample_workbook();

// The sample workbook's first sheet, "Data".
inline model::Sheet& data(model::Workbook& wb) { return *wb.sheets[0]; }

// Adds a cell format derived from the default one and returns its index.
uint16_t add_xf(model::Workbook& wb, const std::function<void(model::Xf&)>& change);
// Adds a font derived from the default one and returns its BIFF index.
uint16_t add_font(model::Workbook& wb, const std::function<void(model::Font&)>& change);

// A new instance holding `wb` as its active workbook.
struct Opened {
  std::shared_ptr<Application> app;
  std::shared_ptr<Workbook> book;
};
Opened open_in_new_instance(std::unique_ptr<model::Workbook> wb, std::u16string name = u"target.xls");

// A small sales list on sheet Data, A1:D7, for pivot tables: region, product, amount, clerk; one
// record has no amount and one no region.
void put_sales_rows(Application& app);

// The displayed texts of `range` on `sheet`, a row a line, cells joined by "|".
std::vector<std::u16string> shown_grid(const std::shared_ptr<Worksheet>& sheet, const char16_t* range);

// The number of the AutomationError that `f` raises; 0 when it raises none.
int32_t error_number(const std::function<void()>& f);

}  // namespace tabrel::xl::testing
