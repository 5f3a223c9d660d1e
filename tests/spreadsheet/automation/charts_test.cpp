#include <gtest/gtest.h>

#include "../../support/chart_records.h"
#include "fixture.h"
#include "spreadsheet/automation/chart_area.h"
#include "spreadsheet/automation/chart_axes.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/worksheet.h"

namespace tabrel::xl {
namespace {

using chart_test::ChartSpec;
using chart_test::SeriesSpec;
using testing::error_number;
using testing::open_in_new_instance;
using testing::sample_workbook;

constexpr model::Anchor kPlace{1, 0, 6, 0, 6, 0, 20, 0, 2};

// Data!A1:C5: months in A, sales in B (shown "#,##0"), a ratio in C.
std::unique_ptr<model::Workbook> sales_book() {
  auto wb = sample_workbook();
  const uint16_t comma = testing::add_xf(*wb, [&](model::Xf& x) { x.format = wb->styles.intern_format(u"#,##0"); });
  auto& cells = wb->sheets[0]->cells;
  cells.put({0, 1}, model::Cell{model::CellValue::text(u"매출"), 15, nullptr});
  const char16_t* months[] = {u"1월", u"2월", u"3월", u"4월"};
  const double sales[] = {1250, 250, 175, 300};
  for (int r = 0; r < 4; ++r) {
    cells.put({r + 1, 0}, model::Cell{model::CellValue::text(months[r]), 15, nullptr});
    cells.put({r + 1, 1}, model::Cell{model::CellValue::number(sales[r]), comma, nullptr});
    cells.put({r + 1, 2}, model::Cell{model::CellValue::number(0.1 * (r + 1)), 15, nullptr});
  }
  return wb;
}

SeriesSpec sales_series() { return chart_test::series(u"Data!$B$1", u"Data!$B$2:$B$5", u"Data!$A$2:$A$5"); }

std::shared_ptr<Chart> first_chart(const testing::Opened& o) {
  return o.app->Sheets(Variant(u"Data"))->ChartObjects()->Item(Variant(1))->Chart();
}

TEST(ChartsTest, ChartObjectsPlaceAndActivation) {
  auto wb = sales_book();
  ChartSpec spec;
  spec.series = {sales_series()};
  chart_test::add_chart_object(*wb, 0, spec, kPlace);
  chart_test::make_chart_sheet(*wb, 3, spec);
  auto o = open_in_new_instance(std::move(wb));
  auto data = o.app->Sheets(Variant(u"Data"));
  auto objects = data->ChartObjects();
  ASSERT_EQ(objects->Count(), 1);
  auto object = objects->Item(Variant(u"chart 1"));
  auto shape = data->Shapes()->Item(Variant(1));
  EXPECT_EQ(object->Left(), shape->Left());
  EXPECT_EQ(object->Top(), shape->Top());
  EXPECT_EQ(object->Width(), shape->Width());
  EXPECT_EQ(object->Height(), shape->Height());
  EXPECT_GT(object->Width(), 0);
  EXPECT_EQ(error_number([&] { objects->Item(Variant(2)); }), 5);

  EXPECT_EQ(o.app->ActiveChart(), nullptr);
  object->Activate();
  ASSERT_NE(o.app->ActiveChart(), nullptr);
  EXPECT_EQ(o.app->ActiveChart()->ChartType(), 51);
  o.app->Range(Variant(u"A1"))->Select();  // selecting cells deactivates the chart
  EXPECT_EQ(o.app->ActiveChart(), nullptr);

  // A chart object of a sheet that is not active cannot be activated.
  o.app->Sheets(Variant(u"Form"))->Activate();
  EXPECT_EQ(error_number([&] { object->Activate(); }), 1004);
  EXPECT_EQ(o.app->ActiveChart(), nullptr);
  // An active chart sheet is the active chart.
  o.app->Sheets(Variant(u"Chart1"))->Activate();
  ASSERT_NE(o.app->ActiveChart(), nullptr);
  EXPECT_EQ(o.app->ActiveChart()->SeriesCollection()->Count(), 1);
  EXPECT_EQ(o.app->Sheets(Variant(u"Chart1"))->ChartSheet()->SeriesCollection(Variant(1))->Name(), u"매출");
  EXPECT_EQ(error_number([&] { data->ChartSheet(); }), 438);
}

TEST(ChartsTest, SeriesFormulasNamesAndValues) {
  auto wb = sales_book();
  ChartSpec spec;
  SeriesSpec literal = chart_test::literal_series(u"비율", u"Data!$C$2:$C$5");
  SeriesSpec unnamed = chart_test::series(u"", u"Data!$C$2:$C$3");
  spec.series = {sales_series(), literal, unnamed};
  chart_test::add_chart_object(*wb, 0, spec, kPlace);
  auto o = open_in_new_instance(std::move(wb));
  auto chart = first_chart(o);
  auto sales = chart->SeriesCollection(Variant(1));
  EXPECT_EQ(sales->FormulaR1C1(), u"=SERIES(Data!R1C2,Data!R2C1:R5C1,Data!R2C2:R5C2,1)");
  EXPECT_EQ(sales->Formula(), u"=SERIES(Data!$B$1,Data!$A$2:$A$5,Data!$B$2:$B$5,1)");
  EXPECT_EQ(sales->Name(), u"매출");
  auto ratio = chart->SeriesCollection(Variant(u"비율"));
  EXPECT_EQ(ratio->FormulaR1C1(), u"=SERIES(\"비율\",,Data!R2C3:R5C3,2)");
  EXPECT_EQ(chart->SeriesCollection(Variant(3))->Name(), u"계열3");
  EXPECT_EQ(error_number([&] { chart->SeriesCollection(Variant(u"없음")); }), 5);

  // Category values without categories are 1 .. n; values follow the cells as they are now.
  const Variant x = ratio->XValues();
  ASSERT_TRUE(x.is_array());
  ASSERT_EQ(x.arr().items.size(), 4u);
  EXPECT_EQ(x.arr().lower[0], 1);
  EXPECT_EQ(x.arr().items[3].to_double(), 4);
  EXPECT_EQ(sales->XValues().arr().items[0].to_string(), u"1월");
  o.app->Range(Variant(u"B3"))->SetValue(Variant(999.0));
  EXPECT_EQ(sales->Values().arr().items[1].to_double(), 999);
}

// A series pointing at a sheet that was deleted answers its formula with #REF! and raises on
// its values instead of crashing.
TEST(ChartsTest, SeriesOnDeletedSheet) {
  auto wb = sales_book();
  ChartSpec spec;
  spec.series = {chart_test::series(u"", u"Last!$B$2:$B$5")};
  chart_test::add_chart_object(*wb, 0, spec, kPlace);
  auto o = open_in_new_instance(std::move(wb));
  o.app->Sheets(Variant(u"Last"))->Delete();
  auto s = first_chart(o)->SeriesCollection(Variant(1));
  EXPECT_NE(s->FormulaR1C1().find(u"#REF!"), std::u16string::npos);
  EXPECT_EQ(error_number([&] { s->Values(); }), 1004);
}

TEST(ChartsTest, MissingPartsRaise) {
  auto wb = sales_book();
  ChartSpec column;
  column.series = {sales_series()};
  column.scaled_fonts = false;
  ChartSpec pie;
  pie.groups = {chart_test::group(0x1019, {0, 0, 0, 0, 0, 0})};
  pie.axes = false;
  pie.series = {sales_series()};
  chart_test::add_chart_object(*wb, 0, column, kPlace);
  chart_test::add_chart_object(*wb, 0, pie, kPlace);
  auto o = open_in_new_instance(std::move(wb));
  auto objects = o.app->Sheets(Variant(u"Data"))->ChartObjects();
  auto chart = objects->Item(Variant(1))->Chart();
  EXPECT_FALSE(chart->HasTitle());
  EXPECT_FALSE(chart->HasLegend());
  EXPECT_FALSE(chart->HasDataTable());
  EXPECT_FALSE(chart->ChartArea()->AutoScaleFont());
  const std::function<void()> reads[] = {
      [&] { chart->ChartTitle(); },       [&] { chart->Legend(); },
      [&] { chart->DataTable(); },        [&] { chart->Walls(); },
      [&] { chart->Axes(2, 2); },         [&] { chart->Axes(2)->AxisTitle(); },
      [&] { objects->Item(Variant(2))->Chart()->Axes(1); },
  };
  for (const auto& read : reads) EXPECT_EQ(error_number(read), 1004);
  EXPECT_EQ(objects->Item(Variant(2))->Chart()->ChartType(), 5);
}

TEST(ChartsTest, TitlesLegendAxesAndLabels) {
  auto wb = sales_book();
  ChartSpec spec;
  SeriesSpec s = sales_series();
  s.point_labels = {{0, 0x01}, {1, 0x11}, {2, 0x02}};
  spec.series = {s};
  spec.groups[0].legend = 0;
  spec.title = u"월별 매출";
  spec.value_title = u"금액";
  spec.category_title = u"월";
  spec.data_table = 0x08;
  chart_test::add_chart_object(*wb, 0, spec, kPlace);
  auto o = open_in_new_instance(std::move(wb));
  auto chart = first_chart(o);
  EXPECT_EQ(chart->ChartTitle()->Characters()->Text(), u"월별 매출");
  EXPECT_EQ(chart->Legend()->Position(), -4107);
  EXPECT_TRUE(chart->DataTable()->ShowLegendKey());
  EXPECT_TRUE(chart->ChartArea()->AutoScaleFont());
  auto value = chart->Axes(2);
  EXPECT_EQ(value->AxisTitle()->Caption(), u"금액");
  EXPECT_EQ(value->AxisTitle()->Orientation(), -4171);
  EXPECT_EQ(chart->Axes(1)->AxisTitle()->Orientation(), -4128);
  EXPECT_TRUE(value->HasMajorGridlines());
  EXPECT_FALSE(chart->Axes(1)->HasMajorGridlines());
  // 175 .. 1250 on a zero-based axis: 1250 + 5 % of the span rounds up to 1400 by 200.
  EXPECT_EQ(value->MinimumScale(), 0);
  EXPECT_EQ(value->MaximumScale(), 1400);
  EXPECT_EQ(value->MajorUnit(), 200);

  auto series = chart->SeriesCollection(Variant(1));
  EXPECT_EQ(series->Points(1)->DataLabel()->Text(), u"1,250");
  EXPECT_EQ(series->Points(2)->DataLabel()->Text(), u"2월, 250");
  EXPECT_EQ(series->Points(3)->DataLabel()->Text(), u"9%");
  EXPECT_FALSE(series->Points(4)->HasDataLabel());
  EXPECT_EQ(error_number([&] { series->Points(4)->DataLabel(); }), 1004);
  EXPECT_EQ(error_number([&] { series->Points(5); }), 5);
}

}  // namespace
}  // namespace tabrel::xl
