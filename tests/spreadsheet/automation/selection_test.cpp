#include <gtest/gtest.h>

#include "fixture.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/worksheet.h"

namespace tabrel::xl {
namespace {

using testing::error_number;
using testing::open_in_new_instance;
using testing::sample_workbook;

std::u16string selection_address(Application& app) {
  auto range = std::dynamic_pointer_cast<Range>(app.Selection());
  return range ? range->Address() : u"Nothing";
}

TEST(SelectionTest, SelectingCellsOnlyOnTheActiveSheet) {
  auto o = open_in_new_instance(sample_workbook());
  auto form = o.app->Sheets(Variant(u"Form"));
  auto cell = form->Range(Variant(u"B3"));
  EXPECT_EQ(error_number([&] { cell->Select(); }), 1004);
  EXPECT_EQ(error_number([&] { cell->Activate(); }), 1004);
  form->Select();
  cell->Select();
  EXPECT_EQ(o.app->ActiveCell()->Address(), u"$B$3");
  EXPECT_EQ(o.app->ActiveCell()->Worksheet()->Name(), u"Form");
  // A failed selection leaves the earlier active cell in place.
  EXPECT_EQ(error_number([&] { o.app->Sheets(Variant(u"Data"))->Range(Variant(u"D9"))->Select(); }), 1004);
  EXPECT_EQ(o.app->ActiveCell()->Address(), u"$B$3");
}

TEST(SelectionTest, HiddenSheetsCannotBeSelected) {
  auto o = open_in_new_instance(sample_workbook());
  EXPECT_EQ(error_number([&] { o.app->Sheets(Variant(u"Hidden"))->Select(); }), 1004);
  EXPECT_EQ(error_number([&] { o.app->Sheets(Variant(u"Hidden"))->Activate(); }), 1004);
  EXPECT_EQ(o.app->ActiveSheet()->Name(), u"Data");
}

TEST(SelectionTest, EachSheetKeepsItsOwnActiveCell) {
  auto o = open_in_new_instance(sample_workbook());
  o.app->Range(Variant(u"C4"))->Select();
  o.app->Sheets(Variant(u"Form"))->Select();
  EXPECT_EQ(o.app->ActiveCell()->Address(), u"$A$1");
  o.app->Sheets(Variant(u"Data"))->Select();
  EXPECT_EQ(o.app->ActiveCell()->Address(), u"$C$4");
}

TEST(SelectionTest, MergedAreasWidenTheSelection) {
  auto wb = sample_workbook();
  wb->sheets[0]->merges.push_back({{0, 0}, {0, 6}});  // A1:G1
  auto o = open_in_new_instance(std::move(wb));
  o.app->Range(Variant(u"C1"))->Select();
  EXPECT_EQ(o.app->ActiveCell()->Address(), u"$A$1");
  EXPECT_EQ(selection_address(*o.app), u"$A$1:$G$1");
  o.app->Range(Variant(u"F1:H2"))->Select();
  EXPECT_EQ(selection_address(*o.app), u"$A$1:$H$2");
}

TEST(SelectionTest, ActivateInsideTheSelectionMovesOnlyTheActiveCell) {
  auto o = open_in_new_instance(sample_workbook());
  o.app->Range(Variant(u"B2:D5"))->Select();
  o.app->Range(Variant(u"C4"))->Activate();
  EXPECT_EQ(o.app->ActiveCell()->Address(), u"$C$4");
  EXPECT_EQ(selection_address(*o.app), u"$B$2:$D$5");
  o.app->Range(Variant(u"F9"))->Activate();
  EXPECT_EQ(selection_address(*o.app), u"$F$9");
}

TEST(SelectionTest, ChartSheetHasNoActiveCell) {
  auto o = open_in_new_instance(sample_workbook());
  o.app->Sheets(Variant(u"Chart1"))->Select();
  EXPECT_EQ(o.app->ActiveCell(), nullptr);
  EXPECT_EQ(o.app->Selection(), nullptr);
  EXPECT_EQ(error_number([&] { o.app->ActiveSheet()->Range(Variant(u"A1")); }), 438);
}

}  // namespace
}  // namespace tabrel::xl
