#include <gtest/gtest.h>

#include <vector>

#include "fixture.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/chart_area.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

using testing::error_number;
using testing::open_in_new_instance;
using testing::sample_workbook;

std::u16string names_in_order(Application& app) {
  std::u16string all;
  auto sheets = app.Sheets();
  for (int i = 1; i <= sheets->Count(); ++i) all += sheets->Item(Variant(i))->Name() + u",";
  return all;
}

TEST(SheetsTest, SheetsCountsEverySheetWorksheetsOnlyWorksheets) {
  auto o = open_in_new_instance(sample_workbook());
  EXPECT_EQ(o.app->Sheets()->Count(), 5);
  EXPECT_EQ(o.app->Worksheets()->Count(), 4);
  EXPECT_EQ(o.app->Sheets(Variant(4))->Name(), u"Chart1");
  EXPECT_EQ(o.app->Worksheets(Variant(4))->Name(), u"Last");
  EXPECT_EQ(o.app->Worksheets(Variant(u"last"))->Index(), 5);  // Index counts every sheet
  EXPECT_EQ(error_number([&] { o.app->Worksheets(Variant(u"Chart1")); }), 9);
  EXPECT_EQ(error_number([&] { o.app->Sheets(Variant(u"없는시트")); }), 9);
  EXPECT_EQ(error_number([&] { o.app->Sheets(Variant(0)); }), 9);
  EXPECT_EQ(error_number([&] { o.app->Sheets(Variant(6)); }), 9);
}

TEST(SheetsTest, KindAndVisibility) {
  auto o = open_in_new_instance(sample_workbook());
  struct Case { const char16_t* name; int type; int visible; const char16_t* type_name; };
  const Case cases[] = {
      {u"Data", -4167, -1, u"Worksheet"}, {u"Hidden", -4167, 0, u"Worksheet"}, {u"Chart1", 3, -1, u"Chart"}};
  for (const auto& c : cases) {
    auto s = o.app->Sheets(Variant(c.name));
    EXPECT_EQ(s->Type(), c.type) << to_utf8(c.name);
    EXPECT_EQ(s->Visible(), c.visible) << to_utf8(c.name);
    EXPECT_EQ(s->type_name(), c.type_name);
  }
  auto hidden = o.app->Sheets(Variant(u"Hidden"));
  hidden->SetVisible(Variant(1));
  EXPECT_EQ(hidden->Visible(), -1);
  hidden->SetVisible(Variant(2));
  EXPECT_EQ(hidden->Visible(), 2);
}

TEST(SheetsTest, ChartSheetAnswersItsChartAreaAndWorksheetsRaise) {
  auto o = open_in_new_instance(sample_workbook());
  auto chart = o.app->Sheets(Variant(4));
  EXPECT_EQ(chart->ChartArea()->Name(), u"차트 영역");
  EXPECT_EQ(chart->Index(), 4);
  chart->Select();
  EXPECT_EQ(o.app->ActiveSheet()->Name(), u"Chart1");
  EXPECT_EQ(error_number([&] { o.app->Sheets(Variant(1))->ChartArea(); }), 438);
  auto area = chart->ChartArea();
  o.app->Sheets(Variant(u"Data"))->Select();
  chart->Delete();
  EXPECT_NE(error_number([&] { area->Name(); }), 0);  // the chart sheet is gone
  EXPECT_EQ(o.app->Sheets()->Count(), 4);
}

// A chart sheet's Type is its chart's older type number, from its first chart group (kind, 3-D
// view, bars laid horizontally, a hole in the pie).
TEST(SheetsTest, ChartSheetTypeFollowsItsChartGroup) {
  using K = model::ChartGroupKind;
  struct Case {
    struct {
      K kind;
      bool three_d, transposed, has_hole;
    } summary;
    int type;
  };
  const Case cases[] = {
      {{K::None, false, false, false}, 3},      {{K::Bar, false, false, false}, 3},
      {{K::Bar, false, true, false}, 2},        {{K::Bar, true, false, false}, -4100},
      {{K::Bar, true, true, false}, -4099},     {{K::Line, false, false, false}, 4},
      {{K::Line, true, false, false}, -4101},   {{K::Area, false, false, false}, 1},
      {{K::Area, true, false, false}, -4098},   {{K::Pie, false, false, false}, 5},
      {{K::Pie, true, false, false}, -4102},    {{K::Pie, false, false, true}, -4120},
      {{K::BarOfPie, false, false, false}, 5},  {{K::Scatter, false, false, false}, -4169},
      {{K::Radar, false, false, false}, -4151}, {{K::RadarArea, false, false, false}, -4151},
      {{K::Surface, true, false, false}, -4103},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    auto wb = sample_workbook();
    if (c.summary.kind != K::None) {
      model::ChartGroup g;
      g.kind = c.summary.kind;
      if (c.summary.three_d) g.view = model::Chart3D{};
      if (c.summary.transposed) g.flags = 0x01;
      if (c.summary.has_hole) g.hole = 50;
      wb->sheets[3]->chart.chart.groups.push_back(g);
    }
    auto o = open_in_new_instance(std::move(wb));
    EXPECT_EQ(o.app->Sheets(Variant(u"Chart1"))->Type(), c.type);
  }
}

TEST(SheetsTest, AddPutsABlankWorksheetBeforeTheActiveSheetAndActivatesIt) {
  auto o = open_in_new_instance(sample_workbook());
  o.app->Sheets(Variant(u"Form"))->Select();
  auto added = o.app->Sheets()->Add(Variant(), Variant(), Variant(1));
  EXPECT_EQ(added->Index(), 2);
  EXPECT_EQ(added->Name(), u"Sheet5");
  EXPECT_EQ(o.app->ActiveSheet()->Name(), u"Sheet5");
  EXPECT_EQ(names_in_order(*o.app), u"Data,Sheet5,Form,Hidden,Chart1,Last,");
  o.app->ActiveSheet()->SetName(u"시나리오 요약");
  EXPECT_EQ(o.app->Sheets(Variant(2))->Name(), u"시나리오 요약");
}

TEST(SheetsTest, RenameFollowsTheSpreadsheetsRules) {
  auto o = open_in_new_instance(sample_workbook());
  auto sheet = o.app->Sheets(Variant(u"Form"));
  struct Case { std::u16string name; bool accepted; };
  const Case cases[] = {
      {u"", false},           {std::u16string(32, u'x'), false}, {u"a/b", false}, {u"a:b", false},
      {u"a[b]", false},       {u"a?", false},  {u"a*", false},  {u"'quoted", false},
      {u"data", false},       {u"DATA", false},  // another sheet's name, letter case ignored
      {u"FORM", true},        {std::u16string(31, u'x'), true}, {u"판매 현황(1)", true},
  };
  for (const auto& c : cases) {
    const int32_t number = error_number([&] { sheet->SetName(c.name); });
    EXPECT_EQ(number, c.accepted ? 0 : 1004) << to_utf8(c.name);
    if (c.accepted) {
      EXPECT_EQ(sheet->Name(), c.name);
    }
  }
  try {
    sheet->SetName(u"Data");
    FAIL();
  } catch (const AutomationError& e) {
    EXPECT_NE(e.description().find(u"같은 이름"), std::u16string::npos);
  }
}

TEST(SheetsTest, DeletingSheets) {
  auto o = open_in_new_instance(sample_workbook());
  auto hidden = o.app->Sheets(Variant(u"Hidden"));
  hidden->SetVisible(Variant(1));
  o.app->SetDisplayAlerts(false);
  hidden->Delete();
  EXPECT_EQ(names_in_order(*o.app), u"Data,Form,Chart1,Last,");
  EXPECT_NE(error_number([&] { hidden->Name(); }), 0);

  // The active sheet's neighbour to the right takes over.
  auto data = o.app->Sheets(Variant(u"Data"));
  data->Delete();
  EXPECT_EQ(o.app->ActiveSheet()->Name(), u"Form");
  o.app->Sheets(Variant(u"Chart1"))->Delete();
  o.app->Sheets(Variant(u"Last"))->Delete();
  EXPECT_EQ(error_number([&] { o.app->Sheets(Variant(u"Form"))->Delete(); }), 1004);  // the last visible sheet
  EXPECT_EQ(error_number([&] { o.app->Sheets(Variant(u"Form"))->SetVisible(Variant(0)); }), 1004);
}

TEST(SheetsTest, HidingTheActiveSheetActivatesTheNextVisibleOne) {
  auto o = open_in_new_instance(sample_workbook());
  o.app->Sheets(Variant(u"Form"))->Select();
  o.app->Sheets(Variant(u"Form"))->SetVisible(Variant(false));
  EXPECT_EQ(o.app->ActiveSheet()->Name(), u"Chart1");
}

}  // namespace
}  // namespace tabrel::xl
