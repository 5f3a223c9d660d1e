// Recorded macros of the kinds the certificate papers ask for, run on a small workbook; the
// expected formats are the spreadsheet's own definitions (the Korean version's built-in styles).

#include <gtest/gtest.h>

#include "run_macro.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/format_conditions.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::macro {
namespace {

using testing::at;
using testing::expect_ran;
using testing::run;
using testing::sample_instance;

// Scores in B2:C4 of the first sheet, "Data".
std::shared_ptr<xl::Application> scores() {
  auto app = sample_instance();
  const double b[] = {1234, 5678, 90}, c[] = {0.256, 0.5, 1};
  for (int i = 0; i < 3; ++i) {
    app->Range(Variant(u"B" + from_utf8(std::to_string(i + 2))))->SetValue(Variant(b[i]));
    app->Range(Variant(u"C" + from_utf8(std::to_string(i + 2))))->SetValue(Variant(c[i]));
  }
  return app;
}

std::string text(const Variant& v) { return v.is_null() ? "(null)" : to_utf8(v.to_string()); }

TEST(RecordedMacroTest, CommaAndPercentStylesInEnglishAndKorean) {
  auto app = scores();
  expect_ran(run(app,
                 u"Sub 서식()\r\n"
                 u"'\r\n' 서식 Macro\r\n'\r\n"
                 u"    Range(\"B2:B4\").Select\r\n"
                 u"    Selection.Style = \"Comma [0]\"\r\n"
                 u"    Range(\"C2:C4\").Select\r\n"
                 u"    Selection.Style = \"Percent\"\r\n"
                 u"    Range(\"B3\").Style = \"쉼표\"\r\n"
                 u"End Sub\r\n",
                 u"서식"));
  EXPECT_EQ(text(at(*app, u"B2")->NumberFormat()), "_-* #,##0_-;\\-* #,##0_-;_-* \"-\"_-;_-@_-");
  EXPECT_EQ(text(at(*app, u"B3")->NumberFormat()), "_-* #,##0.00_-;\\-* #,##0.00_-;_-* \"-\"??_-;_-@_-");
  EXPECT_EQ(text(at(*app, u"C2")->NumberFormat()), "0%");
  EXPECT_EQ(text(at(*app, u"C2")->Text()), "26%");
  EXPECT_EQ(text(at(*app, u"C4")->Text()), "100%");
}

TEST(RecordedMacroTest, AverageWithAutoFill) {
  auto app = scores();
  expect_ran(run(app,
                 u"Sub 평균()\r\n"
                 u"    Range(\"D2\").Select\r\n"
                 u"    ActiveCell.FormulaR1C1 = \"=AVERAGE(RC[-2]:RC[-1])\"\r\n"
                 u"    Range(\"D2\").Select\r\n"
                 u"    Selection.AutoFill Destination:=Range(\"D2:D4\"), Type:=xlFillDefault\r\n"
                 u"    Range(\"D2:D4\").Select\r\n"
                 u"End Sub\r\n",
                 u"평균"));
  EXPECT_EQ(text(at(*app, u"D3")->Formula()), "=AVERAGE(B3:C3)");
  EXPECT_EQ(text(at(*app, u"D4")->FormulaR1C1()), "=AVERAGE(RC[-2]:RC[-1])");
  EXPECT_EQ(at(*app, u"D4")->Value().to_double(), 45.5);
  EXPECT_EQ(text(app->Selection() ? Variant(std::static_pointer_cast<xl::Range>(app->Selection())->Address()) : Variant()),
            "$D$2:$D$4");
}

TEST(RecordedMacroTest, FillFontAlignmentAndMerge) {
  auto app = scores();
  expect_ran(run(app,
                 u"Sub 제목()\r\n"
                 u"    Range(\"A1:D1\").Select\r\n"
                 u"    With Selection\r\n"
                 u"        .HorizontalAlignment = xlCenter\r\n"
                 u"        .VerticalAlignment = xlCenter\r\n"
                 u"        .WrapText = False\r\n"
                 u"        .Orientation = 0\r\n"
                 u"        .AddIndent = False\r\n"
                 u"        .IndentLevel = 0\r\n"
                 u"        .ShrinkToFit = False\r\n"
                 u"        .ReadingOrder = xlContext\r\n"
                 u"        .MergeCells = False\r\n"
                 u"    End With\r\n"
                 u"    Selection.Merge\r\n"
                 u"    With Selection.Interior\r\n"
                 u"        .ColorIndex = 6\r\n"
                 u"        .Pattern = xlSolid\r\n"
                 u"    End With\r\n"
                 u"    Selection.Font.Bold = True\r\n"
                 u"    With Selection.Font\r\n"
                 u"        .Name = \"굴림\"\r\n"
                 u"        .Size = 14\r\n"
                 u"        .Italic = True\r\n"
                 u"        .Underline = xlUnderlineStyleSingle\r\n"
                 u"        .ColorIndex = 3\r\n"
                 u"    End With\r\n"
                 u"End Sub\r\n",
                 u"제목"));
  auto title = at(*app, u"A1:D1");
  EXPECT_TRUE(title->MergeCells().same_as(Variant(true)));
  EXPECT_TRUE(title->HorizontalAlignment().same_as(Variant(-4108)));
  EXPECT_TRUE(title->Interior()->ColorIndex().same_as(Variant(6)));
  EXPECT_TRUE(title->Interior()->Pattern().same_as(Variant(1)));
  auto font = title->Font();
  EXPECT_EQ(text(font->Name()), "굴림");
  EXPECT_EQ(font->Size().to_double(), 14);
  EXPECT_TRUE(font->Bold().same_as(Variant(true)));
  EXPECT_TRUE(font->Italic().same_as(Variant(true)));
  EXPECT_TRUE(font->Underline().same_as(Variant(2)));
  EXPECT_TRUE(font->ColorIndex().same_as(Variant(3)));
}

TEST(RecordedMacroTest, Borders) {
  auto app = scores();
  std::u16string source = u"Sub 테두리()\r\n    Range(\"A1:C4\").Select\r\n"
                          u"    Selection.Borders(xlDiagonalDown).LineStyle = xlNone\r\n"
                          u"    Selection.Borders(xlDiagonalUp).LineStyle = xlNone\r\n";
  for (const char16_t* edge : {u"xlEdgeLeft", u"xlEdgeTop", u"xlEdgeBottom", u"xlEdgeRight", u"xlInsideVertical",
                               u"xlInsideHorizontal"}) {
    source += u"    With Selection.Borders(" + std::u16string(edge) + u")\r\n        .LineStyle = xlContinuous\r\n";
    source += std::u16string(edge) == u"xlEdgeBottom" ? u"        .Weight = xlMedium\r\n" : u"        .Weight = xlThin\r\n";
    source += u"        .ColorIndex = xlAutomatic\r\n    End With\r\n";
  }
  source += u"End Sub\r\n";
  expect_ran(run(app, source, u"테두리"));
  auto area = at(*app, u"A1:C4");
  EXPECT_TRUE(area->Borders(Variant(7))->LineStyle().same_as(Variant(1)));
  EXPECT_TRUE(area->Borders(Variant(9))->Weight().same_as(Variant(-4138)));
  EXPECT_TRUE(area->Borders(Variant(12))->Weight().same_as(Variant(2)));
  EXPECT_TRUE(at(*app, u"B2")->Borders(Variant(7))->LineStyle().same_as(Variant(1)));
  EXPECT_TRUE(area->Borders(Variant(5))->LineStyle().same_as(Variant(-4142)));
}

TEST(RecordedMacroTest, ConditionalFormatWithARelativeFormula) {
  auto app = scores();
  expect_ran(run(app,
                 u"Sub 조건부서식()\r\n"
                 u"    Range(\"A2:D4\").Select\r\n"
                 u"    Selection.FormatConditions.Delete\r\n"
                 u"    Selection.FormatConditions.Add Type:=xlExpression, Formula1:=\"=$B2>=1000\"\r\n"
                 u"    Selection.FormatConditions(Selection.FormatConditions.Count).SetFirstPriority\r\n"
                 u"    With Selection.FormatConditions(1).Font\r\n"
                 u"        .Bold = True\r\n"
                 u"        .ColorIndex = 5\r\n"
                 u"    End With\r\n"
                 u"    Selection.FormatConditions(1).Interior.ColorIndex = 36\r\n"
                 u"    Selection.FormatConditions(1).StopIfTrue = False\r\n"
                 u"    Range(\"A3\").Select\r\n"
                 u"End Sub\r\n",
                 u"조건부서식"));
  auto conditions = at(*app, u"C3")->FormatConditions();
  ASSERT_EQ(conditions->Count(), 1);
  auto rule = conditions->Item(Variant(1));
  EXPECT_EQ(rule->Type(), 2);
  EXPECT_EQ(to_utf8(rule->Formula1()), "=$B3>=1000");  // seen from the active cell A3
  EXPECT_TRUE(rule->Font()->Bold().same_as(Variant(true)));
  EXPECT_TRUE(rule->Interior()->ColorIndex().same_as(Variant(36)));
}

TEST(RecordedMacroTest, NumberFormatsCopyPasteAndClearing) {
  auto app = scores();
  expect_ran(run(app,
                 u"Sub 복사()\r\n"
                 u"    Application.ScreenUpdating = False\r\n"
                 u"    Range(\"B2:B4\").Select\r\n"
                 u"    Selection.NumberFormat = \"#,##0\"\r\n"
                 u"    Selection.Copy\r\n"
                 u"    Range(\"F2\").Select\r\n"
                 u"    ActiveSheet.Paste\r\n"
                 u"    Application.CutCopyMode = False\r\n"
                 u"    Range(\"F3\").ClearContents\r\n"
                 u"    Range(\"C2:C4\").NumberFormatLocal = \"0.0%\"\r\n"
                 u"    Range(\"C4\").ClearFormats\r\n"
                 u"    Columns(\"A:A\").ColumnWidth = 15\r\n"
                 u"    ActiveWindow.SmallScroll Down:=3\r\n"
                 u"    Application.ScreenUpdating = True\r\n"
                 u"End Sub\r\n",
                 u"복사"));
  EXPECT_EQ(text(at(*app, u"F2")->Text()), "1,234");
  EXPECT_EQ(text(at(*app, u"F4")->Text()), "90");
  EXPECT_TRUE(at(*app, u"F3")->Value().is_empty());
  EXPECT_EQ(text(at(*app, u"C2")->Text()), "25.6%");
  EXPECT_EQ(text(at(*app, u"C4")->Text()), "1");
  EXPECT_EQ(at(*app, u"A1")->ColumnWidth().to_double(), 15);
}

TEST(RecordedMacroTest, HandWrittenLoopOverCellsAndSheets) {
  auto app = scores();
  expect_ran(run(app,
                 u"Option Explicit\r\n"
                 u"Sub 합계()\r\n"
                 u"    Dim r As Integer, total As Double\r\n"
                 u"    For r = 2 To 4\r\n"
                 u"        Cells(r, 5).Value = Cells(r, 2).Value + Cells(r, 3)\r\n"
                 u"        If Cells(r, 5) > 1000 Then Cells(r, 6) = \"높음\" Else Cells(r, 6) = \"낮음\"\r\n"
                 u"        total = total + Cells(r, 5)\r\n"
                 u"    Next r\r\n"
                 u"    Dim c As Range\r\n"
                 u"    For Each c In Range(\"B2:B4\")\r\n"
                 u"        c.Offset(0, 5).Value = c.Row\r\n"
                 u"    Next c\r\n"
                 u"    Sheets(\"Form\").Select\r\n"
                 u"    Range(\"A1\").Value = total\r\n"
                 u"    Worksheets(\"Data\").Range(\"A1\") = ActiveSheet.Name\r\n"
                 u"End Sub\r\n",
                 u"합계"));
  EXPECT_EQ(at(*app, u"A1")->Value().to_double(), 1234 + 5678 + 90 + 0.256 + 0.5 + 1);  // on "Form"
  app->Sheets(Variant(u"Data"))->Select();
  EXPECT_EQ(at(*app, u"E3")->Value().to_double(), 5678.5);
  EXPECT_EQ(text(at(*app, u"F2")->Value()), "높음");
  EXPECT_EQ(text(at(*app, u"F4")->Value()), "낮음");
  EXPECT_EQ(at(*app, u"G4")->Value().to_double(), 4);
  EXPECT_EQ(text(at(*app, u"A1")->Value()), "Form");
}

TEST(RecordedMacroTest, WorkbookAndWorksheetNamesDefinedAndReadBack) {
  auto app = scores();
  expect_ran(run(app,
                 u"Sub 이름()\r\n"
                 u"    ActiveWorkbook.Names.Add Name:=\"점수\", RefersToR1C1:=\"=Data!R2C2:R4C3\"\r\n"
                 u"    ActiveSheet.Names.Add Name:=\"합\", RefersTo:=\"=Data!$B$2:$B$4\"\r\n"
                 u"    Range(\"A1\").Value = ActiveWorkbook.Names(\"점수\").RefersToRange.Cells.Count\r\n"
                 u"    Range(\"A2\").Value = ActiveSheet.Names.Count\r\n"
                 u"    Range(\"A3\").Value = ActiveSheet.Names(\"합\").Name\r\n"
                 u"    Range(\"A4\").Value = ActiveWorkbook.Names.Count\r\n"
                 u"    Range(\"A5\").Value = WorksheetFunction.Sum(ActiveSheet.Names(\"합\").RefersToRange)\r\n"
                 u"    Range(\"A6\").Value = Worksheets(\"Form\").Names.Count\r\n"
                 u"    ActiveSheet.Names(1).Delete\r\n"
                 u"    Range(\"A7\").Value = ActiveWorkbook.Names.Count\r\n"
                 u"End Sub\r\n",
                 u"이름"));
  EXPECT_EQ(text(at(*app, u"A1")->Value()), "6");
  EXPECT_EQ(text(at(*app, u"A2")->Value()), "1");  // the sheet's own name only
  EXPECT_EQ(text(at(*app, u"A3")->Value()), "Data!합");
  EXPECT_EQ(text(at(*app, u"A4")->Value()), "2");
  EXPECT_EQ(text(at(*app, u"A5")->Value()), "7002");
  EXPECT_EQ(text(at(*app, u"A6")->Value()), "0");
  EXPECT_EQ(text(at(*app, u"A7")->Value()), "1");
}

TEST(RecordedMacroTest, RowsAndColumnsCountIndexAndEnumerateLines) {
  auto app = scores();
  expect_ran(run(app,
                 u"Sub 줄()\r\n"
                 u"    Range(\"E1\").Value = Range(\"A1:C4\").Rows.Count\r\n"
                 u"    Range(\"E2\").Value = Range(\"A1:C4\").Columns.Count\r\n"
                 u"    Range(\"E3\").Value = Cells(Rows.Count, 2).End(xlUp).Row\r\n"
                 u"    Dim line As Range, n As Integer\r\n"
                 u"    For Each line In Range(\"B2:C4\").Columns\r\n"
                 u"        n = n + 1\r\n"
                 u"        Cells(n, 7).Value = line.Address(False, False)\r\n"
                 u"    Next line\r\n"
                 u"    Range(\"E4\").Value = Range(\"B2:C4\").Rows(3).Address\r\n"
                 u"    Range(\"E5\").Value = Columns(\"A:C\").Count\r\n"
                 u"    Range(\"E6\").Value = Range(\"B2:C4\").Columns(1).Cells.Count\r\n"
                 u"End Sub\r\n",
                 u"줄"));
  EXPECT_EQ(text(at(*app, u"E1")->Value()), "4");
  EXPECT_EQ(text(at(*app, u"E2")->Value()), "3");
  EXPECT_EQ(text(at(*app, u"E3")->Value()), "4");
  EXPECT_EQ(text(at(*app, u"G1")->Value()), "B2:B4");
  EXPECT_EQ(text(at(*app, u"G2")->Value()), "C2:C4");
  EXPECT_TRUE(at(*app, u"G3")->Value().is_empty());
  EXPECT_EQ(text(at(*app, u"E4")->Value()), "$B$4:$C$4");
  EXPECT_EQ(text(at(*app, u"E5")->Value()), "3");
  EXPECT_EQ(text(at(*app, u"E6")->Value()), "3");
}

TEST(RecordedMacroTest, UnsupportedMembersRaise438AndAreListedWhileEarlierEffectsStay) {
  auto app = scores();
  const auto out = run(app,
                       u"Sub M()\r\n"
                       u"    Range(\"A1\").Value = \"done\"\r\n"
                       u"    Range(\"A1\").Speak\r\n"
                       u"    Range(\"A2\").Value = \"never\"\r\n"
                       u"End Sub\r\n",
                       u"M");
  EXPECT_EQ(out.error, 438);
  EXPECT_EQ(out.log.unsupported, std::vector<std::u16string>{u"Range.Speak"});
  EXPECT_EQ(text(at(*app, u"A1")->Value()), "done");
  EXPECT_TRUE(at(*app, u"A2")->Value().is_empty());
}

}  // namespace
}  // namespace tabrel::macro

namespace tabrel::macro {
namespace {

// Names and two scores under a header in A1:C5, one score missing; D holds row sums.
std::shared_ptr<xl::Application> class_scores() {
  auto app = testing::sample_instance();
  const char16_t* rows[][3] = {{u"이름", u"국어", u"영어"}, {u"김", u"80", u"90"}, {u"이", u"95", u"70"},
                               {u"박", u"80", u"60"}, {u"최", u"", u"50"}};
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 3; ++c) {
      const std::u16string text = rows[r][c];
      if (text.empty()) continue;
      auto cell = app->Cells(Variant(r + 1), Variant(c + 1));
      if (r > 0 && c > 0) cell->SetValue(Variant(std::stod(to_utf8(text))));
      else cell->SetValue(Variant(text));
    }
  for (int r = 2; r <= 5; ++r) app->Cells(Variant(r), Variant(4))->SetFormulaR1C1(Variant(u"=RC[-2]+RC[-1]"));
  return app;
}

std::string column(xl::Application& app, int col) {
  std::string out;
  for (int r = 1; r <= 5; ++r) {
    if (r > 1) out += ",";
    out += to_utf8(app.Cells(Variant(r), Variant(col))->Text().to_string());
  }
  return out;
}

TEST(RecordedSortTest, OlderRangeSortWithTwoKeysAndAGuessedHeader) {
  auto app = class_scores();
  const auto out = testing::run(app,
                                u"Sub 정렬()\r\n"
                                u"    Range(\"A1:D5\").Select\r\n"
                                u"    Selection.Sort Key1:=Range(\"B2\"), Order1:=xlDescending, Key2:=Range(\"C2\") _\r\n"
                                u"        , Order2:=xlAscending, Header:=xlGuess, OrderCustom:=1, MatchCase:= _\r\n"
                                u"        False, Orientation:=xlTopToBottom, SortMethod:=xlPinYin, DataOption1:= _\r\n"
                                u"        xlSortNormal, DataOption2:=xlSortNormal\r\n"
                                u"End Sub\r\n",
                                u"정렬");
  EXPECT_TRUE(out.ok) << to_utf8(out.reason);
  EXPECT_EQ(column(*app, 1), "이름,이,박,김,최");  // blanks last; equal first keys by the second
  EXPECT_EQ(column(*app, 4), ",165,140,170,50");   // formulas moved with their rows
  EXPECT_EQ(to_utf8(app->Range(Variant(u"D3"))->Formula().to_string()), "=B3+C3");
}

TEST(RecordedSortTest, SortObjectWithSortFields) {
  auto app = class_scores();
  const auto out = testing::run(app,
                                u"Sub 정렬()\r\n"
                                u"    Range(\"A1:C5\").Select\r\n"
                                u"    ActiveWorkbook.Worksheets(\"Data\").Sort.SortFields.Clear\r\n"
                                u"    ActiveWorkbook.Worksheets(\"Data\").Sort.SortFields.Add Key:=Range(\"C2:C5\"), _\r\n"
                                u"        SortOn:=xlSortOnValues, Order:=xlAscending, DataOption:=xlSortNormal\r\n"
                                u"    With ActiveWorkbook.Worksheets(\"Data\").Sort\r\n"
                                u"        .SetRange Range(\"A1:D5\")\r\n"
                                u"        .Header = xlYes\r\n"
                                u"        .MatchCase = False\r\n"
                                u"        .Orientation = xlTopToBottom\r\n"
                                u"        .SortMethod = xlPinYin\r\n"
                                u"        .Apply\r\n"
                                u"    End With\r\n"
                                u"End Sub\r\n",
                                u"정렬");
  EXPECT_TRUE(out.ok) << to_utf8(out.reason);
  EXPECT_EQ(column(*app, 1), "이름,최,박,이,김");
  EXPECT_EQ(column(*app, 3), "영어,50,60,70,90");
}

TEST(RecordedSortTest, ThemeColorsOfTheNewerRecorderBecomePaletteColours) {
  auto app = testing::sample_instance();
  const auto out = testing::run(app,
                                u"Sub 채우기()\r\n"
                                u"    Range(\"A1:B2\").Select\r\n"
                                u"    With Selection.Interior\r\n"
                                u"        .Pattern = xlSolid\r\n"
                                u"        .PatternColorIndex = xlAutomatic\r\n"
                                u"        .ThemeColor = xlThemeColorDark1\r\n"
                                u"        .TintAndShade = -0.149998474074526\r\n"
                                u"        .PatternTintAndShade = 0\r\n"
                                u"    End With\r\n"
                                u"    With Selection.Font\r\n"
                                u"        .Name = \"돋움\"\r\n"
                                u"        .ThemeColor = xlThemeColorLight1\r\n"
                                u"        .TintAndShade = 0\r\n"
                                u"        .ThemeFont = xlThemeFontNone\r\n"
                                u"    End With\r\n"
                                u"End Sub\r\n",
                                u"채우기");
  EXPECT_TRUE(out.ok) << to_utf8(out.reason);
  auto area = app->Range(Variant(u"A1:B2"));
  // White darker 15 % is D9D9D9, stored as the palette colour that Color = D9D9D9 gives.
  app->Range(Variant(u"D1"))->Interior()->SetColor(Variant(0xD9D9D9));
  EXPECT_TRUE(area->Interior()->ColorIndex().same_as(app->Range(Variant(u"D1"))->Interior()->ColorIndex()));
  EXPECT_TRUE(area->Font()->Color().same_as(Variant(0)));
  EXPECT_EQ(to_utf8(area->Font()->Name().to_string()), "돋움");
}

}  // namespace
}  // namespace tabrel::macro
