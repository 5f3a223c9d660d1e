#include "chart_fixture.h"

#include "inspect/fixture.h"

namespace tabrel::inspect::testing {

chart_test::SeriesSpec sales_series() {
  return chart_test::series(u"Sheet1!$B$1", u"Sheet1!$B$2:$B$7", u"Sheet1!$A$2:$A$7");
}
chart_test::SeriesSpec cost_series() {
  return chart_test::series(u"Sheet1!$C$1", u"Sheet1!$C$2:$C$7", u"Sheet1!$A$2:$A$7");
}

chart_test::ChartSpec column_chart() {
  chart_test::ChartSpec spec;
  spec.series = {sales_series(), cost_series()};
  spec.groups[0].legend = 3;
  spec.title = u"매출 현황";
  return spec;
}

namespace {

std::unique_ptr<model::Workbook> table_book() {
  auto wb = blank_workbook({u"Sheet1", u"Sheet2"});
  auto& cells = wb->sheets[0]->cells;
  cells.put({0, 1}, model::Cell{model::CellValue::text(u"매출"), 15, nullptr});
  cells.put({0, 2}, model::Cell{model::CellValue::text(u"비용"), 15, nullptr});
  for (int r = 1; r <= 6; ++r) {
    cells.put({r, 0}, model::Cell{model::CellValue::text(std::u16string(1, char16_t(u'0' + r)) + u"월"), 15, nullptr});
    cells.put({r, 1}, model::Cell{model::CellValue::number(100.0 * r), 15, nullptr});
    cells.put({r, 2}, model::Cell{model::CellValue::number(40.0 * r), 15, nullptr});
  }
  return wb;
}

}  // namespace

std::unique_ptr<model::Workbook> chart_book(const std::vector<chart_test::ChartSpec>& charts,
                                            const std::vector<model::Anchor>& places) {
  auto wb = table_book();
  for (size_t i = 0; i < charts.size(); ++i)
    chart_test::add_chart_object(*wb, 0, charts[i], i < places.size() ? places[i] : kChartPlace);
  return wb;
}

std::unique_ptr<model::Workbook> chart_sheet_book(const chart_test::ChartSpec& spec) {
  auto wb = table_book();
  chart_test::make_chart_sheet(*wb, 1, spec);
  return wb;
}

ExcelObjects open_charts(std::unique_ptr<model::Workbook> answer, std::unique_ptr<model::Workbook> target) {
  return open_pair(std::move(answer), std::move(target));
}

}  // namespace tabrel::inspect::testing
