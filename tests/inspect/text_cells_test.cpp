#include "inspect/text_cells.h"

#include <gtest/gtest.h>

#include <functional>

#include "inspect/cell_walk.h"
#include "inspect/fixture.h"
#include "inspect/formula_cells.h"
#include "spreadsheet/automation/font.h"

namespace tabrel::inspect {
namespace {

using testing::active_address;
using testing::at;
using testing::open_blank_pair;

using Setup = std::function<void(xl::Range&)>;

Setup value(Variant v) {
  return [v](xl::Range& r) { r.SetValue(v); };
}
Setup formula(const char16_t* text) {
  return [text](xl::Range& r) { r.SetFormula(Variant(text)); };
}
Setup formatted(Variant v, const char16_t* code) {
  return [v, code](xl::Range& r) {
    r.SetValue(v);
    r.SetNumberFormatLocal(Variant(code));
  };
}
Setup bold(Variant v) {
  return [v](xl::Range& r) {
    r.SetValue(v);
    r.Font()->SetBold(Variant(true));
  };
}
Setup nothing() {
  return [](xl::Range&) {};
}

struct TextCase {
  const char* name;
  Setup answer, target;
  int16_t ignore_spaces;
  bool skip_bold;
  const char16_t* expected;
};

TEST(GetWrongTextCellsTest, PerCellRules) {
  const TextCase cases[] = {
      {"same text", value(u"합계"), value(u"합계"), 0, false, u"0;"},
      {"both empty", nothing(), nothing(), 0, false, u"0;"},
      {"grand total spelled apart", value(u"총 합계"), value(u"총합계"), 0, false, u"0;"},
      {"grand total spelled apart, reversed", value(u"총합계"), value(u"총 합계"), 0, false, u"0;"},
      {"letter case", value(u"abc"), value(u"ABC"), 0, false, u"1;A1;"},
      {"trailing blank", value(u"abc"), value(u"abc "), 0, false, u"1;A1;"},
      {"thousands separator", formatted(1234.0, u"#,##0"), value(1234.0), 0, false, u"1;A1;"},
      {"blanks ignored", value(u"a b c "), value(u" abc"), 1, false, u"0;"},
      {"zero shown as dash against zero", formatted(0.0, u"#,##0;-#,##0;\"-\""), value(0.0), 1, false, u"0;"},
      {"zero against five", value(0.0), value(5.0), 1, false, u"0;"},
      {"five against zero", value(5.0), value(0.0), 1, false, u"0;"},
      {"formula showing 12 against 13", formula(u"=6*2"), value(13.0), 1, false, u"1;A1;"},
      {"zero against a formula", value(0.0), formula(u"=2+3"), 1, false, u"1;A1;"},
      {"text against zero: only numbers spare", value(u"x"), value(0.0), 1, false, u"1;A1;"},
      {"text against text", value(u"x"), value(u"y"), 1, false, u"1;A1;"},
      {"bold answer skipped", bold(u"x"), value(u"y"), 0, true, u"0;"},
      {"bold answer listed without skipping", bold(u"x"), value(u"y"), 0, false, u"1;A1;"},
      {"plain answer listed when skipping", value(u"x"), bold(u"y"), 1, true, u"1;A1;"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExcelObjects o = open_blank_pair();
    c.answer(*at(o.AnswerSheet, u"A1"));
    c.target(*at(o.TargetSheet, u"A1"));
    EXPECT_EQ(GetWrongTextCells(o, u"A1", u"A1", c.ignore_spaces, c.skip_bold), c.expected);
  }
}

TEST(GetWrongTextCellsTest, ColumnMajorOrderAndTheFinalSelection) {
  ExcelObjects o = open_blank_pair();
  at(o.AnswerSheet, u"C3")->SetValue(Variant(1.0));
  at(o.TargetSheet, u"B5")->SetValue(Variant(u"x"));
  EXPECT_EQ(GetWrongTextCells(o, u"B3", u"C5", 0, false), u"2;B5;C3;");
  EXPECT_EQ(active_address(o.AnswerExcel), u"$C$5");
  EXPECT_EQ(active_address(o.TargetExcel), u"$C$5");
  // A lower-case column is listed as given.
  EXPECT_EQ(GetWrongTextCells(o, u"b4", u"b5", 0, false), u"1;b5;");
}

TEST(GetWrongTextCellsTest, ReversedCornersWalkNothingAndSelectNothing) {
  ExcelObjects o = open_blank_pair();
  at(o.TargetSheet, u"B4")->SetValue(Variant(u"x"));
  at(o.AnswerSheet, u"D9")->Select();
  EXPECT_EQ(GetWrongTextCells(o, u"C3", u"A5", 0, false), u"0;");
  EXPECT_EQ(GetWrongTextCells(o, u"A5", u"A3", 0, false), u"0;");
  EXPECT_EQ(active_address(o.AnswerExcel), u"$D$9");
}

TEST(GetWrongTextCellsTest, UnreadableTargetListsEveryCellUnlessTheAnswerIsBold) {
  ExcelObjects o = open_blank_pair();
  at(o.AnswerSheet, u"A2")->Font()->SetBold(Variant(true));
  o.TargetExcel->Quit();
  EXPECT_EQ(GetWrongTextCells(o, u"A1", u"A2", 0, false), u"2;A1;A2;");
  EXPECT_EQ(GetWrongTextCells(o, u"A1", u"A2", 0, true), u"1;A1;");
}

TEST(CellWalkTest, RangesTheWalkCannotExpressAreRejected) {
  ExcelObjects o = open_blank_pair();
  const std::pair<const char16_t*, const char16_t*> rejected[] = {
      {u"AA1", u"AB2"}, {u"A1", u"AB2"}, {u"A1", u"A40000"}, {u"A1", u"Z2000"}};
  for (const auto& [start, end] : rejected) {
    SCOPED_TRACE(std::string(start, start + 1));
    EXPECT_THROW(GetWrongTextCells(o, start, end, 0, false), RangeArgumentError);
  }
  EXPECT_EQ(GetWrongTextCells(o, u"A1", u"A32767", 0, false), u"0;");
}

TEST(CellWalkTest, FailedParseLeavesZeroAndFailedSelectionReadsTheEarlierCell) {
  ExcelObjects o = open_blank_pair();
  at(o.TargetSheet, u"A2")->SetValue(Variant(u"x"));
  at(o.AnswerSheet, u"A2")->Select();
  at(o.TargetSheet, u"A2")->Select();
  // "A" has no row: the walk starts at row 0, and "A0" cannot be selected, so A0 is judged on
  // the cells A2 that were active before.
  EXPECT_EQ(GetWrongTextCells(o, u"A", u"A2", 0, false), u"2;A0;A2;");
  EXPECT_THROW(GetWrongFunctionCells(o, u"A", u"A2", u"SUM"), AutomationError);
}

TEST(CellWalkTest, CellListReading) {
  EXPECT_FALSE(reports_cells(u"0;"));
  EXPECT_TRUE(reports_cells(u"2;B3;C4;"));
  EXPECT_THROW(reports_cells(u""), AutomationError);
}

TEST(CountAnswerFilledCellsTest, CountsAnswerCellsShowingText) {
  ExcelObjects o = open_blank_pair();
  at(o.AnswerSheet, u"A3")->SetValue(Variant(u"x"));
  at(o.AnswerSheet, u"A4")->SetValue(Variant(u" "));
  at(o.TargetSheet, u"A5")->SetValue(Variant(u"y"));
  EXPECT_EQ(CountAnswerFilledCells(o, u"A3", u"A5"), 1.0f);
  EXPECT_EQ(active_address(o.TargetExcel), u"$A$5");
}

}  // namespace
}  // namespace tabrel::inspect
