// Charts made and changed through the automation objects, written by our writer and read back
// by our reader: what a macro or an answer source sets is what the file then holds.

#include <gtest/gtest.h>

#include "../../support/chart_records.h"
#include "fixture.h"
#include "spreadsheet/automation/chart_area.h"
#include "spreadsheet/automation/chart_axes.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/chart_parts.h"
#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::xl {
namespace {

using testing::error_number;
using testing::open_in_new_instance;

// Data!A1:C5: a blank corner, "매출" and "비율" over B and C, months in A2:A5, numbers below.
std::unique_ptr<model::Workbook> sales_book() {
  auto wb = testing::sample_workbook();
  auto& cells = wb->sheets[0]->cells;
  cells.put({0, 1}, model::Cell{model::CellValue::text(u"매출"), 15, nullptr});
  cells.put({0, 2}, model::Cell{model::CellValue::text(u"비율"), 15, nullptr});
  const char16_t* months[] = {u"1월", u"2월", u"3월", u"4월"};
  const double sales[] = {1250, 250, 175, 300};
  for (int r = 0; r < 4; ++r) {
    cells.put({r + 1, 0}, model::Cell{model::CellValue::text(months[r]), 15, nullptr});
    cells.put({r + 1, 1}, model::Cell{model::CellValue::number(sales[r]), 15, nullptr});
    cells.put({r + 1, 2}, model::Cell{model::CellValue::number(0.1 * (r + 1)), 15, nullptr});
  }
  return wb;
}

std::shared_ptr<Worksheet> data_sheet(const testing::Opened& o) { return o.app->Sheets(Variant(u"Data")); }

std::shared_ptr<Chart> add_chart(const testing::Opened& o, const std::u16string& source, int type = 51) {
  auto sheet = data_sheet(o);
  auto chart = sheet->ChartObjects()->Add(100, 120, 360, 216)->Chart();
  chart->SetChartType(type);
  chart->SetSourceData(*sheet->Range(Variant(source)));
  return chart;
}

// The workbook written by our writer and read back, open in a new instance.
testing::Opened written_and_read(const testing::Opened& o) {
  const auto bytes = xls::write_workbook(o.book->model());
  return open_in_new_instance(xls::read_workbook(bytes));
}

std::shared_ptr<Chart> chart_at(const testing::Opened& o, int index) {
  return data_sheet(o)->ChartObjects()->Item(Variant(index))->Chart();
}

std::vector<std::u16string> formulas(const Chart& chart) {
  std::vector<std::u16string> out;
  for (int i = 1; i <= chart.SeriesCollection()->Count(); ++i) out.push_back(chart.SeriesCollection(Variant(i))->Formula());
  return out;
}

TEST(ChartEditTest, EveryChartTypeMadeReadsBackAsItself) {
  for (int type : {51, 52, 53, 57, 58, 59, 54, 55, 56, 60, 61, -4100, 4, 63, 65, 66, -4101, 5, -4102, -4120, 1, 76, 77,
                   -4098, -4169, 74, 75, 72, 73, -4151}) {
    SCOPED_TRACE(type);
    auto o = open_in_new_instance(sales_book());
    add_chart(o, u"A1:B5", type);
    auto back = written_and_read(o);
    auto chart = chart_at(back, 1);
    EXPECT_EQ(chart->ChartType(), type);
    EXPECT_EQ(formulas(*chart), std::vector<std::u16string>{u"=SERIES(Data!$B$1,Data!$A$2:$A$5,Data!$B$2:$B$5,1)"});
    EXPECT_TRUE(back.book->model().sheets[0]->embedded_charts[0].chart.problems.empty());
  }
}

TEST(ChartEditTest, SourceBlocksSplitIntoSeries) {
  struct Case {
    const char16_t* block;
    int plot_by;
    std::vector<std::u16string> series;
  };
  const Case cases[] = {
      // A blank corner: the first row names the series, the first column holds the categories.
      {u"A1:C5", 0,
       {u"=SERIES(Data!$B$1,Data!$A$2:$A$5,Data!$B$2:$B$5,1)", u"=SERIES(Data!$C$1,Data!$A$2:$A$5,Data!$C$2:$C$5,2)"}},
      {u"A1:C5", 1,
       {u"=SERIES(Data!$A$2,Data!$B$1:$C$1,Data!$B$2:$C$2,1)", u"=SERIES(Data!$A$3,Data!$B$1:$C$1,Data!$B$3:$C$3,2)",
        u"=SERIES(Data!$A$4,Data!$B$1:$C$1,Data!$B$4:$C$4,3)", u"=SERIES(Data!$A$5,Data!$B$1:$C$1,Data!$B$5:$C$5,4)"}},
      // A first row with numbers names nothing; the text column still gives the categories.
      {u"A2:C5", 0,
       {u"=SERIES(,Data!$A$2:$A$5,Data!$B$2:$B$5,1)", u"=SERIES(,Data!$A$2:$A$5,Data!$C$2:$C$5,2)"}},
      // Numbers only: one series, categories 1 .. n.
      {u"B2:B5", 0, {u"=SERIES(,,Data!$B$2:$B$5,1)"}},
      // More columns than rows: by rows.
      {u"A2:C3", 0, {u"=SERIES(Data!$A$2,,Data!$B$2:$C$2,1)", u"=SERIES(Data!$A$3,,Data!$B$3:$C$3,2)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(to_utf8(c.block) + " by " + std::to_string(c.plot_by));
    auto o = open_in_new_instance(sales_book());
    auto sheet = data_sheet(o);
    auto chart = sheet->ChartObjects()->Add(0, 0, 200, 100)->Chart();
    chart->SetSourceData(*sheet->Range(Variant(c.block)), c.plot_by);
    EXPECT_EQ(formulas(*chart), c.series);
    EXPECT_EQ(formulas(*chart_at(written_and_read(o), 1)), c.series);
  }
}

TEST(ChartEditTest, TitlesLegendLabelsAndFormatsSurviveTheFile) {
  auto o = open_in_new_instance(sales_book());
  auto object = data_sheet(o)->ChartObjects()->Add(50, 60, 300, 200);
  auto chart = object->Chart();
  chart->SetSourceData(*data_sheet(o)->Range(Variant(u"A1:C5")));
  chart->SetHasTitle(true);
  chart->ChartTitle()->SetText(u"월별 매출");
  chart->Axes(1)->SetHasTitle(true);
  chart->Axes(1)->AxisTitle()->SetText(u"월");
  chart->Axes(2)->SetHasTitle(true);
  chart->Axes(2)->AxisTitle()->SetText(u"금액");
  // The ratio as a line on the secondary value axis.
  auto ratio = chart->SeriesCollection(Variant(2));
  ratio->SetChartType(65);
  ratio->SetAxisGroup(2);
  ratio->SetSmooth(true);
  ratio->Border()->SetColorIndex(3);
  chart->Axes(2, 2)->SetHasTitle(true);
  chart->Axes(2, 2)->AxisTitle()->SetText(u"비율");
  chart->SeriesCollection(Variant(1))->SetHasDataLabels(true);
  ratio->Points(2)->SetHasDataLabel(true);
  chart->Legend()->SetPosition(-4107);
  chart->ChartArea()->SetAutoScaleFont(false);
  object->SetShadow(true);
  object->SetLeft(80);

  auto back = written_and_read(o);
  auto read_object = data_sheet(back)->ChartObjects()->Item(Variant(1));
  auto c = read_object->Chart();
  EXPECT_NEAR(read_object->Left(), 80, 1);
  EXPECT_NEAR(read_object->Top(), 60, 1);
  EXPECT_NEAR(read_object->Width(), 300, 1);
  EXPECT_TRUE(read_object->Shadow());
  EXPECT_EQ(c->ChartTitle()->Text(), u"월별 매출");
  EXPECT_EQ(c->Axes(1)->AxisTitle()->Text(), u"월");
  EXPECT_EQ(c->Axes(2)->AxisTitle()->Text(), u"금액");
  EXPECT_EQ(c->Axes(2)->AxisTitle()->Orientation(), -4171);  // upward, as a new value-axis title
  EXPECT_EQ(c->Axes(2, 2)->AxisTitle()->Text(), u"비율");
  EXPECT_EQ(c->Legend()->Position(), -4107);
  EXPECT_FALSE(c->ChartArea()->AutoScaleFont());
  auto sales = c->SeriesCollection(Variant(1));
  auto line = c->SeriesCollection(Variant(2));
  EXPECT_EQ(sales->ChartType(), 51);
  EXPECT_EQ(sales->AxisGroup(), 1);
  EXPECT_TRUE(sales->HasDataLabels());
  EXPECT_EQ(sales->Points(1)->DataLabel()->Text(), u"1250");
  EXPECT_EQ(line->ChartType(), 65);  // a smoothed line keeps its type number
  EXPECT_EQ(line->AxisGroup(), 2);
  EXPECT_TRUE(line->Smooth());
  EXPECT_EQ(line->Border()->ColorIndex(), 3);
  EXPECT_FALSE(line->HasDataLabels());
  EXPECT_FALSE(line->Points(1)->HasDataLabel());
  EXPECT_TRUE(line->Points(2)->HasDataLabel());
  EXPECT_EQ(line->Points(2)->DataLabel()->Text(), u"0.2");
  EXPECT_EQ(line->FormulaR1C1(), u"=SERIES(Data!R1C3,Data!R2C1:R5C1,Data!R2C3:R5C3,2)");

  // Taking the title, legend and labels away again.
  c->SetHasTitle(false);
  c->SetHasLegend(false);
  sales->SetHasDataLabels(false);
  c->Axes(2, 2)->SetHasTitle(false);
  auto again = chart_at(written_and_read(back), 1);
  EXPECT_FALSE(again->HasTitle());
  EXPECT_FALSE(again->HasLegend());
  EXPECT_FALSE(again->SeriesCollection(Variant(1))->HasDataLabels());
  EXPECT_FALSE(again->Axes(2, 2)->HasTitle());
  EXPECT_TRUE(again->Axes(2)->HasTitle());
}

// Each orientation a title can take is stored as its rotation and reads back as given.
TEST(ChartEditTest, TitleOrientationsSurviveTheFile) {
  auto o = open_in_new_instance(sales_book());
  auto c = add_chart(o, u"A1:B5");
  c->SetHasTitle(true);
  c->Axes(2)->SetHasTitle(true);
  for (int orientation : {-4128, -4171, -4170, -4166, 45, -45, 90, -90}) {
    SCOPED_TRACE(orientation);
    c->ChartTitle()->SetOrientation(orientation);
    c->Axes(2)->AxisTitle()->SetOrientation(orientation);
    auto back = written_and_read(o);
    auto read = chart_at(back, 1);
    // 90 degrees is upward, -90 downward.
    const int expected = orientation == 90 ? -4171 : orientation == -90 ? -4170 : orientation;
    EXPECT_EQ(read->ChartTitle()->Orientation(), expected);
    EXPECT_EQ(read->Axes(2)->AxisTitle()->Orientation(), expected);
  }
  EXPECT_EQ(error_number([&] { c->ChartTitle()->SetOrientation(91); }), 5);
}

TEST(ChartEditTest, DataLabelPartsJoinWithTheirSeparator) {
  auto o = open_in_new_instance(sales_book());
  auto series = add_chart(o, u"A1:B5")->SeriesCollection(Variant(1));
  series->SetHasDataLabels(true);
  auto first = series->Points(1)->DataLabel();
  first->SetShowCategoryName(true);
  first->SetSeparator(u" / ");
  series->Points(2)->DataLabel()->SetShowCategoryName(true);
  auto back = chart_at(written_and_read(o), 1)->SeriesCollection(Variant(1));
  EXPECT_EQ(back->Points(1)->DataLabel()->Text(), u"1월 / 1250");
  EXPECT_EQ(back->Points(1)->DataLabel()->Separator(), u" / ");
  EXPECT_EQ(back->Points(2)->DataLabel()->Text(), u"2월, 250");
  EXPECT_EQ(back->Points(3)->DataLabel()->Text(), u"175");
}

TEST(ChartEditTest, SeriesAddedNamedAndDeleted) {
  auto o = open_in_new_instance(sales_book());
  auto chart = add_chart(o, u"A1:B5", 4);
  auto extra = chart->SeriesCollection()->NewSeries();
  EXPECT_EQ(extra->Name(), u"계열2");
  extra->SetValues(Variant(u"=Data!$C$2:$C$5"));
  extra->SetXValues(Variant(std::static_pointer_cast<Dispatch>(data_sheet(o)->Range(Variant(u"A2:A5")))));
  extra->SetName(Variant(u"목표"));
  EXPECT_EQ(extra->ChartType(), 4);  // a new series takes the chart's type
  auto back = chart_at(written_and_read(o), 1);
  EXPECT_EQ(formulas(*back), (std::vector<std::u16string>{u"=SERIES(Data!$B$1,Data!$A$2:$A$5,Data!$B$2:$B$5,1)",
                                                            u"=SERIES(\"목표\",Data!$A$2:$A$5,Data!$C$2:$C$5,2)"}));
  back->SeriesCollection(Variant(1))->Delete();
  EXPECT_EQ(formulas(*back), std::vector<std::u16string>{u"=SERIES(\"목표\",Data!$A$2:$A$5,Data!$C$2:$C$5,1)"});
}

TEST(ChartEditTest, ChartsReadFromAFileKeepTheirRecordsUntilChanged) {
  auto wb = sales_book();
  chart_test::ChartSpec spec;
  spec.series = {chart_test::series(u"Data!$B$1", u"Data!$B$2:$B$5", u"Data!$A$2:$A$5")};
  spec.title = u"원본";
  chart_test::add_chart_object(*wb, 0, spec, {1, 0, 6, 0, 6, 0, 20, 0, 2});
  const auto stored = wb->sheets[0]->embedded_charts[0].records;
  auto o = open_in_new_instance(std::move(wb));
  add_chart(o, u"A1:C5");  // a second chart, made here
  data_sheet(o)->ChartObjects()->Item(Variant(1))->SetTop(30);  // moving it leaves its records alone

  auto back = written_and_read(o);
  const auto& charts = back.book->model().sheets[0]->embedded_charts;
  ASSERT_EQ(charts.size(), 2u);
  EXPECT_EQ(charts[0].records, stored);
  EXPECT_EQ(formulas(*chart_at(back, 2)).size(), 2u);

  // Changed, the chart is written from what it holds.
  chart_at(back, 1)->SetChartType(4);
  auto changed = chart_at(written_and_read(back), 1);
  EXPECT_EQ(changed->ChartType(), 4);
  EXPECT_EQ(changed->ChartTitle()->Text(), u"원본");
  EXPECT_EQ(formulas(*changed), std::vector<std::u16string>{u"=SERIES(Data!$B$1,Data!$A$2:$A$5,Data!$B$2:$B$5,1)"});
}

TEST(ChartEditTest, DeletingAChartObjectAndRefusedChanges) {
  auto o = open_in_new_instance(sales_book());
  add_chart(o, u"A1:B5")->SetHasTitle(true);
  auto second = add_chart(o, u"A1:C5", 5);
  auto objects = data_sheet(o)->ChartObjects();
  objects->Item(Variant(1))->Delete();
  ASSERT_EQ(objects->Count(), 1);
  second = objects->Item(Variant(1))->Chart();
  EXPECT_EQ(second->ChartType(), 5);
  auto back = written_and_read(o);
  ASSERT_EQ(data_sheet(back)->ChartObjects()->Count(), 1);
  EXPECT_EQ(chart_at(back, 1)->ChartType(), 5);
  EXPECT_FALSE(chart_at(back, 1)->HasTitle());

  EXPECT_EQ(error_number([&] { objects->Add(0, 0, -1, 10); }), 5);
  EXPECT_EQ(error_number([&] { second->SetChartType(9999); }), 5);
  EXPECT_EQ(error_number([&] { second->Legend()->SetPosition(7); }), 5);
  EXPECT_EQ(error_number([&] { second->SeriesCollection(Variant(1))->SetAxisGroup(3); }), 5);
  EXPECT_EQ(error_number([&] { second->SeriesCollection(Variant(1))->Border()->SetColorIndex(57); }), 5);
  EXPECT_EQ(error_number([&] { second->SetSourceData(*o.app->Sheets(Variant(u"Form"))->Range(Variant(u"A1:B2")), 3); }), 5);
  EXPECT_EQ(error_number([&] { second->Axes(1); }), 1004);  // a pie has no axes
}

}  // namespace
}  // namespace tabrel::xl
