// Macros that make and change charts, as a recorded or hand-written macro writes them.

#include <gtest/gtest.h>

#include "run_macro.h"
#include "spreadsheet/automation/chart.h"
#include "spreadsheet/automation/chart_area.h"
#include "spreadsheet/automation/chart_axes.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/chart_parts.h"
#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::macro {
namespace {

using testing::expect_ran;
using testing::run;

// Data!A1:C4: names over B and C, items in A2:A4, numbers below.
std::shared_ptr<xl::Application> table() {
  auto app = testing::sample_instance();
  const char16_t* cells[][3] = {{u"", u"판매", u"비율"}, {u"가", u"10", u"0.1"}, {u"나", u"20", u"0.4"}, {u"다", u"15", u"0.5"}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) {
      if (!*cells[r][c]) continue;
      const std::u16string address = std::u16string(1, static_cast<char16_t>(u'A' + c)) + from_utf8(std::to_string(r + 1));
      const std::u16string text = cells[r][c];
      const bool number = text[0] >= u'0' && text[0] <= u'9';
      app->Range(Variant(address))->SetValue(number ? Variant(std::stod(to_utf8(text))) : Variant(text));
    }
  return app;
}

TEST(ChartMacroTest, MakesAndFormatsAChart) {
  auto app = table();
  expect_ran(run(app,
                 u"Sub 차트()\r\n"
                 u"    ActiveSheet.ChartObjects.Add(100, 80, 320, 200).Activate\r\n"
                 u"    ActiveChart.ChartType = xlColumnClustered\r\n"
                 u"    ActiveChart.SetSourceData Source:=Sheets(\"Data\").Range(\"A1:C4\"), PlotBy:=xlColumns\r\n"
                 u"    With ActiveChart\r\n"
                 u"        .HasTitle = True\r\n"
                 u"        .ChartTitle.Characters.Text = \"판매 현황\"\r\n"
                 u"        .Axes(xlCategory, xlPrimary).HasTitle = True\r\n"
                 u"        .Axes(xlCategory, xlPrimary).AxisTitle.Characters.Text = \"품목\"\r\n"
                 u"    End With\r\n"
                 u"    ActiveChart.SeriesCollection(2).ChartType = xlLineMarkers\r\n"
                 u"    ActiveChart.SeriesCollection(2).AxisGroup = xlSecondary\r\n"
                 u"    ActiveChart.SeriesCollection(2).Border.ColorIndex = 3\r\n"
                 u"    ActiveChart.SeriesCollection(1).Points(2).HasDataLabel = True\r\n"
                 u"    ActiveChart.Legend.Position = xlLegendPositionBottom\r\n"
                 u"    ActiveChart.ChartArea.AutoScaleFont = False\r\n"
                 u"    ActiveSheet.ChartObjects(1).Shadow = True\r\n"
                 u"    Range(\"A1\").Select\r\n"
                 u"    If ActiveChart Is Nothing Then Range(\"E1\").Value = \"해제\"\r\n"
                 u"End Sub\r\n",
                 u"차트"));
  const auto object = app->Sheets(Variant(u"Data"))->ChartObjects()->Item(Variant(1));
  const auto chart = object->Chart();
  EXPECT_EQ(chart->ChartTitle()->Text(), u"판매 현황");
  EXPECT_EQ(chart->Axes(1)->AxisTitle()->Text(), u"품목");
  EXPECT_EQ(chart->SeriesCollection(Variant(1))->ChartType(), 51);
  EXPECT_EQ(chart->SeriesCollection(Variant(2))->ChartType(), 65);
  EXPECT_EQ(chart->SeriesCollection(Variant(2))->AxisGroup(), 2);
  EXPECT_EQ(chart->SeriesCollection(Variant(2))->Border()->ColorIndex(), 3);
  EXPECT_EQ(chart->SeriesCollection(Variant(1))->Points(2)->DataLabel()->Text(), u"20");
  EXPECT_EQ(chart->Legend()->Position(), -4107);
  EXPECT_FALSE(chart->ChartArea()->AutoScaleFont());
  EXPECT_TRUE(object->Shadow());
  EXPECT_EQ(app->Range(Variant(u"E1"))->Value().to_string(), u"해제");
}

TEST(ChartMacroTest, ReadsSeriesAndRaisesForMissingParts) {
  auto app = table();
  expect_ran(run(app,
                 u"Sub 읽기()\r\n"
                 u"    Dim c As Object\r\n"
                 u"    Set c = ActiveSheet.ChartObjects.Add(0, 0, 200, 100).Chart\r\n"
                 u"    c.ChartWizard Source:=Range(\"A1:B4\"), Gallery:=xlLine, HasLegend:=False, Title:=\"추이\"\r\n"
                 u"    Range(\"E1\").Value = Mid(c.SeriesCollection(1).Formula, 2)\r\n"
                 u"    Range(\"E2\").Value = c.SeriesCollection.Count\r\n"
                 u"    Range(\"E3\").Value = c.HasLegend\r\n"
                 u"    On Error Resume Next\r\n"
                 u"    Range(\"E4\").Value = c.Legend.Position\r\n"
                 u"    Range(\"E5\").Value = Err.Number\r\n"
                 u"End Sub\r\n",
                 u"읽기"));
  EXPECT_EQ(app->Range(Variant(u"E1"))->Value().to_string(), u"SERIES(Data!$B$1,Data!$A$2:$A$4,Data!$B$2:$B$4,1)");
  EXPECT_EQ(app->Range(Variant(u"E2"))->Value().to_double(), 1);
  EXPECT_FALSE(app->Range(Variant(u"E3"))->Value().to_bool());
  EXPECT_TRUE(app->Range(Variant(u"E4"))->Value().is_empty());
  EXPECT_EQ(app->Range(Variant(u"E5"))->Value().to_double(), 1004);
  EXPECT_EQ(app->Sheets(Variant(u"Data"))->ChartObjects()->Item(Variant(1))->Chart()->ChartType(), 65);
}

// The way a recorded macro makes a chart: on a chart sheet first, then placed on the worksheet.
TEST(ChartMacroTest, RecordedChartMovedOntoTheSheetWithItsScale) {
  auto app = table();
  expect_ran(run(app,
                 u"Sub 기록()\r\n"
                 u"    Charts.Add\r\n"
                 u"    ActiveChart.ChartType = xlLineMarkers\r\n"
                 u"    ActiveChart.SetSourceData Source:=Sheets(\"Data\").Range(\"A1:B4\"), PlotBy:=xlColumns\r\n"
                 u"    ActiveChart.Location Where:=xlLocationAsObject, Name:=\"Data\"\r\n"
                 u"    With ActiveChart.Axes(xlValue)\r\n"
                 u"        .MinimumScale = 5\r\n"
                 u"        .MaximumScale = 25\r\n"
                 u"        .MajorUnit = 5\r\n"
                 u"        .HasMajorGridlines = False\r\n"
                 u"    End With\r\n"
                 u"    ActiveChart.SeriesCollection(1).MarkerStyle = xlMarkerStyleCircle\r\n"
                 u"    Range(\"E1\").Value = Charts.Count\r\n"
                 u"End Sub\r\n",
                 u"기록"));
  const auto chart = app->Sheets(Variant(u"Data"))->ChartObjects()->Item(Variant(1))->Chart();
  EXPECT_EQ(chart->ChartType(), 65);
  EXPECT_EQ(chart->SeriesCollection(Variant(1))->Formula(), u"=SERIES(Data!$B$1,Data!$A$2:$A$4,Data!$B$2:$B$4,1)");
  EXPECT_EQ(chart->Axes(2)->MinimumScale(), 5);
  EXPECT_EQ(chart->Axes(2)->MaximumScale(), 25);
  EXPECT_EQ(chart->Axes(2)->MajorUnit(), 5);
  EXPECT_FALSE(chart->Axes(2)->HasMajorGridlines());
  EXPECT_EQ(chart->SeriesCollection(Variant(1))->MarkerStyle(), 8);
  EXPECT_EQ(app->Range(Variant(u"E1"))->Value().to_double(), 1);  // the workbook's own chart sheet
}

}  // namespace
}  // namespace tabrel::macro
