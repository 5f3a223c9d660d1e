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
#include "spreadsheet/automation/chart_sheets.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/xls/read_chart.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::xl {
namespace {

using testing::error_number;
using testing::open_in_new_instance;

// Data!A1:C5: a blank corner, "매출" and "비율" over B and C, months in A2:A5, numbers below.
std::unique_ptr<model::Workbook> sales_and_ratio_book() {
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
    auto o = open_in_new_instance(sales_and_ratio_book());
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
    auto o = open_in_new_instance(sales_and_ratio_book());
    auto sheet = data_sheet(o);
    auto chart = sheet->ChartObjects()->Add(0, 0, 200, 100)->Chart();
    chart->SetSourceData(*sheet->Range(Variant(c.block)), c.plot_by);
    EXPECT_EQ(formulas(*chart), c.series);
    EXPECT_EQ(formulas(*chart_at(written_and_read(o), 1)), c.series);
  }
}

TEST(ChartEditTest, TitlesLegendLabelsAndFormatsSurviveTheFile) {
  auto o = open_in_new_instance(sales_and_ratio_book());
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
  auto o = open_in_new_instance(sales_and_ratio_book());
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
  auto o = open_in_new_instance(sales_and_ratio_book());
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
  auto o = open_in_new_instance(sales_and_ratio_book());
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
  auto wb = sales_and_ratio_book();
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
  auto o = open_in_new_instance(sales_and_ratio_book());
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

// Stored records our chart model does not hold: a layout record inside each series and text runs
// of the title, beside the data table the fixture writes.
std::unique_ptr<model::Workbook> chart_with_unmodelled_parts() {
  auto wb = sales_and_ratio_book();
  chart_test::ChartSpec spec;
  spec.series = {chart_test::series(u"Data!$B$1", u"Data!$B$2:$B$5", u"Data!$A$2:$A$5"),
                 chart_test::series(u"Data!$C$1", u"Data!$C$2:$C$5", u"Data!$A$2:$A$5")};
  spec.title = u"원본";
  spec.data_table = 8;
  spec.groups[0].legend = 3;
  chart_test::add_chart_object(*wb, 0, spec, {1, 0, 6, 0, 6, 0, 20, 0, 2});
  model::ChartData& data = wb->sheets[0]->embedded_charts[0];
  std::vector<model::RawRecord> records;
  uint8_t series = 0;
  for (size_t i = 0; i < data.records.size(); ++i) {
    records.push_back(data.records[i]);
    const model::RawRecord& r = data.records[i];
    if (r.id == biff::rt::Begin && i > 0 && data.records[i - 1].id == biff::rt::Series)
      records.push_back({biff::rt::CrtLayout12, {'S', series++}, {}});
    if (r.id == biff::rt::ObjectLink && r.payload.size() >= 2 && r.payload[0] == 1)
      records.push_back({biff::rt::AlRuns, {1, 0, 0, 0, 5, 0}, {}});
  }
  data.records = std::move(records);
  data.chart = xls::read_chart(data.records);
  return wb;
}

size_t count(const std::vector<model::RawRecord>& records, const model::RawRecord& wanted) {
  return static_cast<size_t>(std::count(records.begin(), records.end(), wanted));
}

TEST(ChartEditTest, ChangedChartsKeepWhatTheModelLeavesOut) {
  auto o = open_in_new_instance(chart_with_unmodelled_parts());
  const auto stored = o.book->model().sheets[0]->embedded_charts[0].records;
  const auto dat = *std::find_if(stored.begin(), stored.end(), [](const auto& r) { return r.id == biff::rt::Dat; });
  const model::RawRecord runs{biff::rt::AlRuns, {1, 0, 0, 0, 5, 0}, {}};
  const model::RawRecord first{biff::rt::CrtLayout12, {'S', 0}, {}}, second{biff::rt::CrtLayout12, {'S', 1}, {}};

  chart_at(o, 1)->Legend()->SetPosition(-4107);
  auto back = written_and_read(o);
  const auto& moved = back.book->model().sheets[0]->embedded_charts[0].records;
  EXPECT_EQ(chart_at(back, 1)->Legend()->Position(), -4107);
  EXPECT_EQ(count(moved, dat), 1u);
  EXPECT_EQ(count(moved, runs), 1u);
  EXPECT_EQ(count(moved, first) + count(moved, second), 2u);

  // The first series deleted and the title retyped: the series' own records go with it, the
  // runs of the old title text go, the data table stays.
  auto chart = chart_at(back, 1);
  chart->SeriesCollection(Variant(1))->Delete();
  chart->ChartTitle()->SetText(u"새 제목");
  auto again = written_and_read(back);
  const auto& records = again.book->model().sheets[0]->embedded_charts[0].records;
  EXPECT_EQ(formulas(*chart_at(again, 1)), std::vector<std::u16string>{u"=SERIES(Data!$C$1,Data!$A$2:$A$5,Data!$C$2:$C$5,1)"});
  EXPECT_EQ(chart_at(again, 1)->ChartTitle()->Text(), u"새 제목");
  EXPECT_TRUE(chart_at(again, 1)->HasDataTable());
  EXPECT_EQ(count(records, dat), 1u);
  EXPECT_EQ(count(records, first), 0u);
  EXPECT_EQ(count(records, second), 1u);
  EXPECT_EQ(count(records, runs), 0u);
  EXPECT_TRUE(again.book->model().sheets[0]->embedded_charts[0].chart.problems.empty());
}

TEST(ChartEditTest, ObjectsFetchedBeforeADeleteKeepTheirObject) {
  auto o = open_in_new_instance(sales_and_ratio_book());
  add_chart(o, u"A1:B5");
  add_chart(o, u"A1:C5", 5);
  auto objects = data_sheet(o)->ChartObjects();
  auto first = objects->Item(Variant(1));
  auto second = objects->Item(Variant(2));
  auto second_chart = second->Chart();
  auto second_shape = data_sheet(o)->Shapes()->Item(Variant(2));
  data_sheet(o)->Shapes()->Item(Variant(1))->Delete();
  EXPECT_EQ(second->Name(), u"차트 2");
  EXPECT_EQ(second_shape->Name(), u"차트 2");
  EXPECT_EQ(second_chart->ChartType(), 5);
  EXPECT_NE(error_number([&] { first->Name(); }), 0);

  second->Activate();
  ASSERT_NE(o.app->ActiveChart(), nullptr);
  add_chart(o, u"A1:B5", 4);
  objects->Item(Variant(2))->Delete();  // the new one: the active chart stays
  ASSERT_NE(o.app->ActiveChart(), nullptr);
  EXPECT_EQ(o.app->ActiveChart()->ChartType(), 5);
  second->Delete();
  EXPECT_EQ(o.app->ActiveChart(), nullptr);
  EXPECT_NE(error_number([&] { second_chart->ChartType(); }), 0);
}

TEST(ChartEditTest, AxisScalesGridlinesMarkersAndPointFills) {
  auto o = open_in_new_instance(sales_and_ratio_book());
  auto chart = add_chart(o, u"A1:C5", 65);
  auto value = chart->Axes(2);
  value->SetMaximumScale(2000);
  value->SetMinimumScale(100);
  value->SetMajorUnit(500);
  value->SetHasMajorGridlines(false);
  chart->Axes(1)->SetHasMajorGridlines(true);
  chart->SeriesCollection(Variant(1))->SetMarkerStyle(8);
  chart->SeriesCollection(Variant(1))->Points(2)->Interior()->SetColorIndex(3);
  chart->SeriesCollection(Variant(1))->Points(3)->Border()->SetColorIndex(5);

  auto back = chart_at(written_and_read(o), 1);
  auto axis = back->Axes(2);
  EXPECT_EQ(axis->MaximumScale(), 2000);
  EXPECT_EQ(axis->MinimumScale(), 100);
  EXPECT_EQ(axis->MajorUnit(), 500);
  EXPECT_FALSE(axis->MaximumScaleIsAuto());
  EXPECT_FALSE(axis->MajorUnitIsAuto());
  EXPECT_TRUE(axis->MinorUnitIsAuto());
  EXPECT_FALSE(axis->HasMajorGridlines());
  EXPECT_TRUE(back->Axes(1)->HasMajorGridlines());
  auto first = back->SeriesCollection(Variant(1));
  EXPECT_EQ(first->MarkerStyle(), 8);
  EXPECT_EQ(back->SeriesCollection(Variant(2))->MarkerStyle(), -4105);
  EXPECT_EQ(first->Points(2)->Interior()->ColorIndex(), 3);
  EXPECT_NE(first->Points(1)->Interior()->ColorIndex(), 3);
  EXPECT_EQ(first->Points(3)->Border()->ColorIndex(), 5);
  EXPECT_EQ(first->ChartType(), 65);

  // Back to automatic: the data's own scale (1250 at most: 0 to 1400 by 200).
  axis->SetMinimumScaleIsAuto(true);
  axis->SetMaximumScaleIsAuto(true);
  axis->SetMajorUnitIsAuto(true);
  EXPECT_EQ(axis->MinimumScale(), 0);
  EXPECT_EQ(axis->MaximumScale(), 1400);
  EXPECT_EQ(axis->MajorUnit(), 200);
  axis->SetMaximumScaleIsAuto(false);  // fixed where it stands
  EXPECT_FALSE(axis->MaximumScaleIsAuto());
  EXPECT_EQ(axis->MaximumScale(), 1400);

  const struct {
    const char* what;
    std::function<void()> change;
  } refused[] = {
      {"minimum above the fixed maximum", [&] { axis->SetMinimumScale(1500); }},
      {"maximum below the fixed minimum", [&] { axis->SetMinimumScale(100), axis->SetMaximumScale(50); }},
      {"a unit of zero", [&] { axis->SetMajorUnit(0); }},
      {"a negative minor unit", [&] { axis->SetMinorUnit(-1); }},
      {"a category axis has no scale", [&] { back->Axes(1)->SetMinimumScale(1); }},
      {"an unknown marker style", [&] { first->SetMarkerStyle(77); }},
  };
  for (const auto& r : refused) EXPECT_EQ(error_number(r.change), 1004) << r.what;
}

TEST(ChartEditTest, ChartSheetsMadeAndChartsMovedBetweenSheets) {
  auto o = open_in_new_instance(sales_and_ratio_book());
  auto charts = o.book->Charts();
  EXPECT_EQ(charts->Count(), 1);  // the sample's own chart sheet
  auto made = charts->Add();
  EXPECT_EQ(charts->Count(), 2);
  EXPECT_EQ(o.app->ActiveSheet()->Name(), u"Chart2");  // Chart1 is taken
  EXPECT_EQ(o.app->Sheets(Variant(1))->Name(), u"Chart2");  // before the active sheet
  ASSERT_NE(o.app->ActiveChart(), nullptr);
  made->SetSourceData(*data_sheet(o)->Range(Variant(u"A1:B5")));
  made->SetHasTitle(true);

  auto embedded = made->Location(kLocationAsObject, u"Data");
  EXPECT_EQ(charts->Count(), 1);
  EXPECT_NE(error_number([&] { made->ChartType(); }), 0);  // its chart sheet is gone
  EXPECT_EQ(o.app->ActiveSheet()->Name(), u"Data");
  ASSERT_NE(o.app->ActiveChart(), nullptr);
  EXPECT_EQ(formulas(*o.app->ActiveChart()), formulas(*embedded));
  EXPECT_EQ(formulas(*embedded), std::vector<std::u16string>{u"=SERIES(Data!$B$1,Data!$A$2:$A$5,Data!$B$2:$B$5,1)"});
  {
    auto back = written_and_read(o);
    EXPECT_EQ(back.book->Charts()->Count(), 1);
    EXPECT_EQ(formulas(*chart_at(back, 1)), formulas(*embedded));
    EXPECT_TRUE(chart_at(back, 1)->HasTitle());
  }

  auto sheet = embedded->Location(kLocationAsNewSheet, u"매출 차트");
  EXPECT_EQ(data_sheet(o)->ChartObjects()->Count(), 0);
  EXPECT_EQ(o.app->Sheets(Variant(1))->Name(), u"매출 차트");  // before the sheet that held it
  auto back = written_and_read(o);
  auto moved = back.book->Charts()->Item(Variant(u"매출 차트"));
  EXPECT_EQ(formulas(*moved), std::vector<std::u16string>{u"=SERIES(Data!$B$1,Data!$A$2:$A$5,Data!$B$2:$B$5,1)"});
  EXPECT_TRUE(moved->HasTitle());

  EXPECT_EQ(error_number([&] { sheet->Location(kLocationAsObject, u"없는 시트"); }), 1004);
  EXPECT_EQ(error_number([&] { sheet->Location(kLocationAsObject, u"Chart1"); }), 1004);  // not a worksheet
  EXPECT_EQ(error_number([&] { charts->Add()->Location(kLocationAsNewSheet, u"Data"); }), 1004);
  EXPECT_EQ(error_number([&] { sheet->Location(7, u"Data"); }), 5);
  EXPECT_EQ(error_number([&] { charts->Item(Variant(9)); }), 9);
}

}  // namespace
}  // namespace tabrel::xl
