// The macros an examinee records for a certificate paper's sums and formats, in the forms the
// older and the newer recorder write them, run on a sales table. Expected texts are the sums of
// the table worked out by hand, shown through the documented formats.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "run_macro.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/core/text.h"

namespace tabrel::macro {
namespace {

using testing::expect_ran;
using testing::shown;

// Headers in A3:G3, branch names in A4:A13, "합계" in A14; B4:G13 hold 1000 * n + c for the
// n-th data row (1 to 10) and column number c (2 to 7). A column's sum is 55000 + 10 c, a row's
// sum over B:D is 3000 n + 9 and over B:E 4000 n + 14.
std::shared_ptr<xl::Application> sales() {
  auto app = testing::sample_instance();
  const char16_t* heads[] = {u"지점", u"1월", u"2월", u"3월", u"4월", u"5월", u"6월"};
  for (int c = 1; c <= 7; ++c) app->Cells(Variant(3), Variant(c))->SetValue(Variant(std::u16string(heads[c - 1])));
  for (int n = 1; n <= 10; ++n) {
    app->Cells(Variant(n + 3), Variant(1))->SetValue(Variant(u"지점" + from_utf8(std::to_string(n))));
    for (int c = 2; c <= 7; ++c) app->Cells(Variant(n + 3), Variant(c))->SetValue(Variant(1000.0 * n + c));
  }
  app->Range(Variant(u"A14"))->SetValue(Variant(u"합계"));
  return app;
}

std::u16string sub(const char16_t* name, std::initializer_list<const char16_t*> body) {
  std::u16string s = u"Sub " + std::u16string(name) + u"()\r\n'\r\n' " + name + u" 매크로\r\n'\r\n";
  for (const char16_t* line : body) s += std::u16string(line) + u"\r\n";
  return s + u"End Sub\r\n";
}

struct SumCase {
  const char* form;
  std::u16string source;
  std::vector<std::pair<const char16_t*, const char*>> texts;  // cell, displayed text
};

TEST(PaperMacroTest, SumsInTheFormsTheRecorderWrites) {
  const std::vector<SumCase> cases = {
      {"AutoSum in one cell, then AutoFill",
       sub(u"합계", {u"    Range(\"E14\").Select", u"    ActiveCell.FormulaR1C1 = \"=SUM(R[-10]C:R[-1]C)\"",
                    u"    Range(\"E14\").Select",
                    u"    Selection.AutoFill Destination:=Range(\"E14:G14\"), Type:=xlFillDefault",
                    u"    Range(\"E14:G14\").Select"}),
       {{u"E14", "55050"}, {u"F14", "55060"}, {u"G14", "55070"}, {u"D14", ""}}},
      {"AutoSum over a selected row",
       sub(u"합계", {u"    Range(\"B14:E14\").Select", u"    Selection.FormulaR1C1 = \"=SUM(R[-10]C:R[-1]C)\"",
                    u"    Range(\"A1\").Select"}),
       {{u"B14", "55020"}, {u"E14", "55050"}, {u"F14", ""}}},
      {"A1 formula with a comma format and AutoFill down",
       sub(u"합계", {u"    Range(\"H4\").Select", u"    ActiveCell.Formula = \"=SUM(B4:D4)\"",
                    u"    Selection.AutoFill Destination:=Range(\"H4:H11\")",
                    u"    Range(\"H4:H11\").Select", u"    Selection.NumberFormatLocal = \"#,##0\""}),
       {{u"H4", "3,009"}, {u"H11", "24,009"}, {u"H12", ""}}},
      {"relative references",
       sub(u"합계", {u"    ActiveCell.Offset(13, 1).Range(\"A1\").Select",
                    u"    ActiveCell.FormulaR1C1 = \"=SUM(R[-10]C:R[-1]C)\"",
                    u"    ActiveCell.Select",
                    u"    Selection.AutoFill Destination:=ActiveCell.Range(\"A1:D1\"), Type:=xlFillDefault",
                    u"    ActiveCell.Range(\"A1:D1\").Select"}),
       {{u"B14", "55020"}, {u"E14", "55050"}, {u"F14", ""}}},
      {"average with one decimal",
       sub(u"평균", {u"    Range(\"G14\").Select", u"    ActiveCell.FormulaR1C1 = \"=AVERAGE(R[-10]C:R[-1]C)\"",
                    u"    Selection.NumberFormat = \"0.0\""}),
       {{u"G14", "5507.0"}}},
      {"sum typed through the selection's end and a worksheet function",
       sub(u"합계", {u"    Range(\"B4\").Select", u"    Range(Selection, Selection.End(xlDown)).Select",
                    u"    Range(\"B14\").Value = Application.WorksheetFunction.Sum(Selection)",
                    u"    Range(\"C14\").Value = WorksheetFunction.Sum(Range(\"C4:C13\"))"}),
       {{u"B14", "55020"}, {u"C14", "55030"}}},
      {"sums written with Range.Formula on several cells, then a comma format",
       sub(u"합계", {u"    Range(\"H4:H13\").Formula = \"=SUM(B4:E4)\"", u"    Range(\"H4:H13\").Select",
                    u"    Selection.NumberFormatLocal = \"#,##0\""}),
       {{u"H4", "4,014"}, {u"H13", "40,014"}}},
      {"hand-written loop with calculation switched off meanwhile",
       sub(u"합계", {u"    Application.Calculation = xlCalculationManual", u"    Dim c As Integer",
                    u"    For c = 2 To 4",
                    u"        Cells(14, c).Formula = \"=SUM(\" & Cells(4, c).Address & \":\" & Cells(13, c).Address & \")\"",
                    u"    Next c", u"    Application.Calculation = xlCalculationAutomatic", u"    Application.Calculate"}),
       {{u"B14", "55020"}, {u"D14", "55040"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.form);
    auto app = sales();
    const auto out = testing::run(app, c.source, c.source.substr(4, 2));
    expect_ran(out);
    for (const auto& [cell, text] : c.texts) EXPECT_EQ(shown(*app, cell), text) << to_utf8(cell);
  }
}

TEST(PaperMacroTest, HeaderFormatsOfTheOlderRecorder) {
  auto app = sales();
  expect_ran(testing::run(app,
                          sub(u"서식", {u"    Range(\"B3:G3\").Select", u"    With Selection.Interior",
                                      u"        .ColorIndex = 36", u"        .Pattern = xlSolid",
                                      u"        .PatternColorIndex = xlAutomatic", u"    End With",
                                      u"    Selection.Font.Bold = True", u"    Selection.Font.ColorIndex = 5",
                                      u"    With Selection", u"        .HorizontalAlignment = xlCenter",
                                      u"        .VerticalAlignment = xlBottom", u"    End With",
                                      u"    Columns(\"B:G\").Select", u"    Selection.ColumnWidth = 12",
                                      u"    Rows(\"3:3\").RowHeight = 20.25", u"    Range(\"A1\").Select"}),
                          u"서식"));
  for (const char16_t* cell : {u"B3", u"G3"}) {
    auto r = app->Range(Variant(cell));
    EXPECT_TRUE(r->Interior()->ColorIndex().same_as(Variant(36)));
    EXPECT_TRUE(r->Font()->Bold().same_as(Variant(true)));
    EXPECT_TRUE(r->Font()->ColorIndex().same_as(Variant(5)));
    EXPECT_TRUE(r->HorizontalAlignment().same_as(Variant(-4108)));
  }
  EXPECT_TRUE(app->Range(Variant(u"A3"))->Interior()->ColorIndex().same_as(Variant(-4142)));
  EXPECT_EQ(app->Range(Variant(u"C1"))->ColumnWidth().to_double(), 12);
  EXPECT_EQ(app->Range(Variant(u"C3"))->RowHeight().to_double(), 20.25);
}

TEST(PaperMacroTest, HeaderFormatsOfTheNewerRecorder) {
  auto app = sales();
  expect_ran(testing::run(
      app,
      sub(u"서식", {u"    Range(\"A3:F3\").Select", u"    With Selection.Interior", u"        .Pattern = xlSolid",
                  u"        .PatternColorIndex = xlAutomatic", u"        .Color = 65535",
                  u"        .TintAndShade = 0", u"        .PatternTintAndShade = 0", u"    End With",
                  u"    With Selection.Font", u"        .Color = -16776961", u"        .TintAndShade = 0",
                  u"    End With", u"    Selection.Font.Bold = True",
                  u"    Selection.Borders(xlDiagonalDown).LineStyle = xlNone",
                  u"    Selection.Borders(xlDiagonalUp).LineStyle = xlNone", u"    With Selection.Borders(xlEdgeBottom)",
                  u"        .LineStyle = xlDouble", u"        .ColorIndex = 0", u"        .TintAndShade = 0",
                  u"        .Weight = xlThick", u"    End With", u"    With Selection.Borders(xlInsideVertical)",
                  u"        .LineStyle = xlContinuous", u"        .ColorIndex = xlAutomatic",
                  u"        .TintAndShade = 0", u"        .Weight = xlThin", u"    End With",
                  u"    Selection.Borders(xlInsideHorizontal).LineStyle = xlNone"}),
      u"서식"));
  auto head = app->Range(Variant(u"A3:F3"));
  EXPECT_TRUE(head->Interior()->ColorIndex().same_as(Variant(6)));  // yellow of the default palette
  EXPECT_TRUE(head->Font()->ColorIndex().same_as(Variant(3)));      // red
  EXPECT_TRUE(head->Font()->Bold().same_as(Variant(true)));
  EXPECT_TRUE(head->Borders(Variant(9))->LineStyle().same_as(Variant(-4119)));
  EXPECT_TRUE(app->Range(Variant(u"B3"))->Borders(Variant(7))->LineStyle().same_as(Variant(1)));
  EXPECT_TRUE(app->Range(Variant(u"G3"))->Interior()->ColorIndex().same_as(Variant(-4142)));
}

struct FormatCase {
  const char16_t* statement;  // applied to H4:H5
  double first_value, second_value;
  const char* first;
  const char* second;
};

TEST(PaperMacroTest, NumberFormatsShowAsDocumented) {
  const std::vector<FormatCase> cases = {
      {u"Selection.NumberFormatLocal = \"#,##0\"\"원\"\"\"", 1234.5, -0.25, "1,235원", "-0원"},
      {u"Selection.NumberFormat = \"#,##0.00_ \"", 1234.5, -0.25, "1,234.50 ", "-0.25 "},
      {u"Selection.NumberFormatLocal = \"0.0%\"", 0.1234, -0.25, "12.3%", "-25.0%"},
      {u"Selection.Style = \"백분율\"", 0.1234, -0.25, "12%", "-25%"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(to_utf8(c.statement));
    auto app = sales();
    app->Range(Variant(u"H4"))->SetValue(Variant(c.first_value));
    app->Range(Variant(u"H5"))->SetValue(Variant(c.second_value));
    expect_ran(testing::run(app, sub(u"서식", {u"    Range(\"H4:H5\").Select", c.statement}), u"서식"));
    EXPECT_EQ(shown(*app, u"H4"), c.first);
    EXPECT_EQ(shown(*app, u"H5"), c.second);
  }
}

TEST(PaperMacroTest, WorksheetFunctionTakesRangesAndArraysAndRaises1004OnAnErrorResult) {
  auto app = sales();
  expect_ran(testing::run(
      app,
      sub(u"검사", {u"    Range(\"H1\").Value = WorksheetFunction.Max(Array(3, 9, 4))",
                  u"    Range(\"H2\").Value = Application.WorksheetFunction.VLookup(\"지점3\", Range(\"A4:C13\"), 2, False)",
                  u"    Range(\"H3\").Value = WorksheetFunction.Round(WorksheetFunction.Average(Range(\"B4:B5\")), -2)",
                  u"    On Error Resume Next",
                  u"    Range(\"H4\").Value = WorksheetFunction.VLookup(\"없음\", Range(\"A4:C13\"), 2, False)",
                  u"    Range(\"H5\").Value = Err.Number", u"    Err.Clear",
                  u"    Range(\"H6\").Value = WorksheetFunction.Sum(Range(\"B4\"), Worksheets(\"Form\").Range(\"A1\"))",
                  u"    Range(\"H7\").Value = Err.Number"}),
      u"검사"));
  EXPECT_EQ(shown(*app, u"H1"), "9");
  EXPECT_EQ(shown(*app, u"H2"), "3002");
  EXPECT_EQ(shown(*app, u"H3"), "1500");
  EXPECT_EQ(shown(*app, u"H4"), "");
  EXPECT_EQ(shown(*app, u"H5"), "1004");
  EXPECT_EQ(shown(*app, u"H7"), "1004");  // ranges of two sheets
}

}  // namespace
}  // namespace tabrel::macro
