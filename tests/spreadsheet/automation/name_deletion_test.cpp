// Deleting a defined name leaves every other name where formulas, button links and chart
// series find it; formulas that use the deleted name show #NAME? until it is defined again.

#include <gtest/gtest.h>

#include "fixture.h"
#include "spreadsheet/automation/chart.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::xl {
namespace {

using testing::error_number;
using testing::open_in_new_instance;

testing::Opened written_and_read(const testing::Opened& o) {
  return open_in_new_instance(xls::read_workbook(xls::write_workbook(o.book->model())));
}

std::u16string shown(const testing::Opened& o, const char16_t* cell) {
  return o.app->Sheets(Variant(u"Data"))->Range(Variant(cell))->Text().to_string();
}

// Data!B1:B3 hold 10, 20, 30; "가" names B1, "나" B2, "다" B3 (defined in that order, so each
// later one sits after the earlier ones in the workbook's list); C1:C3 use them; a button runs
// "서식"; a chart's series takes its values from "다".
testing::Opened book_with_names() {
  auto wb = testing::sample_workbook();
  model::DrawingObject button;
  button.object_type = 7;
  button.name = u"Button 1";
  button.macro = u"서식";
  button.anchor = {.col1 = 4, .dx1 = 0, .row1 = 1, .dy1 = 0, .col2 = 6, .dx2 = 0, .row2 = 3, .dy2 = 0};
  wb->sheets[0]->drawings = {button};
  auto o = open_in_new_instance(std::move(wb));
  auto data = o.app->Sheets(Variant(u"Data"));
  for (int r = 1; r <= 3; ++r) data->Range(Variant(u"B" + from_utf8(std::to_string(r))))->SetValue(Variant(10.0 * r));
  auto names = o.book->Names();
  names->Add(u"가", u"=Data!$B$1");
  names->Add(u"나", u"=Data!$B$2");
  names->Add(u"다", u"=Data!$B$3");
  data->Range(Variant(u"C1"))->SetFormula(Variant(u"=가+1"));
  data->Range(Variant(u"C2"))->SetFormula(Variant(u"=나+1"));
  data->Range(Variant(u"C3"))->SetFormula(Variant(u"=다+1"));
  auto chart = data->ChartObjects()->Add(300, 10, 200, 150)->Chart();
  chart->SetSourceData(*data->Range(Variant(u"B1:B3")));
  chart->SeriesCollection(Variant(1))->SetValues(Variant(u"=target.xls!다"));
  // Written and read back, so that the button's link is a name of the file as well.
  return written_and_read(o);
}

TEST(NameDeletionTest, LaterNamesKeepTheirFormulasButtonsAndSeries) {
  auto o = book_with_names();
  auto before = o.app->Sheets(Variant(u"Data"))->ChartObjects()->Item(Variant(1))->Chart()->SeriesCollection(Variant(1))->Formula();
  const int count = o.book->Names()->Count();
  o.book->Names()->Item(Variant(u"가"))->Delete();
  EXPECT_EQ(o.book->Names()->Count(), count - 1);
  EXPECT_EQ(shown(o, u"C1"), u"#NAME?");
  EXPECT_EQ(shown(o, u"C2"), u"21");
  EXPECT_EQ(shown(o, u"C3"), u"31");
  auto back = written_and_read(o);
  auto data = back.app->Sheets(Variant(u"Data"));
  EXPECT_EQ(data->Range(Variant(u"C1"))->Formula().to_string(), u"=가+1");
  EXPECT_EQ(shown(back, u"C1"), u"#NAME?");
  EXPECT_EQ(shown(back, u"C2"), u"21");
  EXPECT_EQ(shown(back, u"C3"), u"31");
  EXPECT_EQ(data->Shapes()->Item(Variant(1))->OnAction(), u"서식");
  EXPECT_EQ(data->ChartObjects()->Item(Variant(1))->Chart()->SeriesCollection(Variant(1))->Formula(), before);
}

TEST(NameDeletionTest, ADeletedNameIsGoneUntilDefinedAgain) {
  auto o = book_with_names();
  const int count = o.book->Names()->Count();
  auto name = o.book->Names()->Item(Variant(u"나"));
  name->Delete();
  EXPECT_NE(error_number([&] { name->RefersTo(); }), 0);
  EXPECT_EQ(error_number([&] { o.book->Names()->Item(Variant(u"나")); }), 1004);
  EXPECT_EQ(error_number([&] { o.book->Names()->Item(Variant(count)); }), 1004);
  EXPECT_EQ(o.book->Names()->Item(Variant(2))->Name(), u"다");
  o.book->Names()->Add(u"나", u"=Data!$B$3");
  EXPECT_EQ(shown(o, u"C2"), u"31");
  EXPECT_EQ(o.book->Names()->Count(), count);
}

}  // namespace
}  // namespace tabrel::xl
