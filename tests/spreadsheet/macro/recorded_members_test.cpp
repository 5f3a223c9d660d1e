// Members that recorded and hand-written macros use around the paper's sums and formats.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "run_macro.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"
#include "../automation/fixture.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::macro {
namespace {

using testing::expect_ran;
using testing::shown;

std::u16string sub(std::initializer_list<const char16_t*> body) {
  std::u16string s = u"Sub M()\r\n";
  for (const char16_t* line : body) s += std::u16string(line) + u"\r\n";
  return s + u"End Sub\r\n";
}

// A workbook made in memory with the 16 XFs of a new file and no STYLE records, whose cells
// took formats of their own (XFs 16 and up), as answer workbooks are made.
std::unique_ptr<model::Workbook> book_without_styles() {
  auto wb = std::make_unique<model::Workbook>();
  wb->styles.fonts.assign(4, model::Font{});
  for (int i = 0; i < 16; ++i) {
    model::Xf xf;
    xf.is_style = i < 15;
    wb->styles.xfs.push_back(xf);
  }
  for (uint16_t format : {3, 4, 10, 14, 22, 49}) {
    model::Xf xf;
    xf.format = format;
    wb->styles.xfs.push_back(xf);
  }
  auto sheet = std::make_unique<model::Sheet>();
  sheet->name = u"Sheet1";
  wb->sheets.push_back(std::move(sheet));
  return wb;
}

// Built-in styles set after ClearFormats show their number formats (the Korean version's Comma
// [0] is "_-* #,##0_-;\-* #,##0_-;_-* \"-\"_-;_-@_-"), whether or not the workbook ever stored
// the style.
TEST(RecordedMembersTest, BuiltinStylesAfterClearFormats) {
  const std::u16string macro = sub({u"Range(\"A1:A2\").Value = 0.25", u"Range(\"B1\").Value = 1234.5",
                                    u"Range(\"A1:B2\").NumberFormat = \"0.00\"", u"Range(\"A1:B2\").ClearFormats",
                                    u"Range(\"A1\").Style = \"Percent\"", u"Range(\"A2\").Style = \"백분율\"",
                                    u"Range(\"B1\").Style = \"Comma [0]\"", u"Range(\"B2\").Value = Range(\"A1\").Style"});
  auto in_memory = xl::testing::open_in_new_instance(book_without_styles()).app;
  auto written = xl::testing::open_in_new_instance(xls::read_workbook(xls::write_workbook(*book_without_styles()))).app;
  // A file whose Percent style points at a cell format, as our earlier writer made them.
  auto broken_model = book_without_styles();
  model::Style percent;
  percent.xf = 20;
  percent.builtin = true;
  percent.builtin_id = 5;
  broken_model->styles.styles.push_back(percent);
  auto broken = xl::testing::open_in_new_instance(std::move(broken_model)).app;
  for (const auto& [label, app] : {std::pair{"in memory", in_memory}, {"written and read", written}, {"broken", broken}}) {
    SCOPED_TRACE(label);
    auto out = testing::run(app, macro, u"M");
    ASSERT_TRUE(out.ok) << out.error << to_utf8(out.reason);
    EXPECT_EQ(shown(*app, u"A1"), "25%");
    EXPECT_EQ(shown(*app, u"A2"), "25%");
    EXPECT_EQ(to_utf8(app->Range(Variant(u"B1"))->NumberFormat().to_string()), "_-* #,##0_-;\\-* #,##0_-;_-* \"-\"_-;_-@_-");
    EXPECT_EQ(shown(*app, u"B2"), "Percent");
  }
}

// Data!A1:C7: a list with its header (지역, 점수, 이름) and six records.
std::shared_ptr<xl::Application> list_instance() {
  auto app = testing::sample_instance();
  const char16_t* regions[] = {u"서울", u"부산", u"서울", u"대구", u"부산", u"서울"};
  const double scores[] = {92, 75, 80, 64, 88, 70};
  app->Range(Variant(u"A1"))->SetValue(Variant(u"지역"));
  app->Range(Variant(u"B1"))->SetValue(Variant(u"점수"));
  app->Range(Variant(u"C1"))->SetValue(Variant(u"이름"));
  for (int i = 0; i < 6; ++i) {
    app->Cells(Variant(i + 2), Variant(1))->SetValue(Variant(std::u16string(regions[i])));
    app->Cells(Variant(i + 2), Variant(2))->SetValue(Variant(scores[i]));
    app->Cells(Variant(i + 2), Variant(3))->SetValue(Variant(u"사람" + from_utf8(std::to_string(i + 1))));
  }
  return app;
}

// The rows 2..7 shown, as "1" for shown and "0" for hidden.
std::string shown_rows(xl::Application& app) {
  std::string out;
  for (int r = 2; r <= 7; ++r) out += app.Range(Variant(u"A" + from_utf8(std::to_string(r))))->RowHeight().to_double() > 0 ? '1' : '0';
  return out;
}

TEST(RecordedMembersTest, AutoFilterHidesTheRowsThatFail) {
  struct Case {
    const char16_t* statement;
    const char* rows;
  };
  const Case cases[] = {
      {u"Selection.AutoFilter Field:=1, Criteria1:=\"서울\"", "101001"},
      {u"Selection.AutoFilter Field:=2, Criteria1:=\">=80\", Operator:=xlAnd", "101010"},
      {u"Selection.AutoFilter Field:=2, Criteria1:=\"<70\", Operator:=xlOr, Criteria2:=\">90\"", "100100"},
      {u"Selection.AutoFilter Field:=2, Criteria1:=\">=70\", Operator:=xlAnd, Criteria2:=\"<=80\"", "011001"},
      {u"Selection.AutoFilter Field:=2, Criteria1:=\"2\", Operator:=xlTop10Items", "100010"},
      {u"Selection.AutoFilter Field:=2, Criteria1:=\"50\", Operator:=xlBottom10Percent", "010101"},
      {u"Selection.AutoFilter Field:=3, Criteria1:=Array(\"사람2\", \"사람4\", \"사람6\"), Operator:=xlFilterValues",
       "010101"},
      {u"Selection.AutoFilter Field:=3, Criteria1:=\"=*3\"", "001000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(to_utf8(c.statement));
    auto app = list_instance();
    expect_ran(testing::run(app, sub({u"Range(\"B3\").Select", c.statement}), u"M"));
    EXPECT_EQ(shown_rows(*app), c.rows);
  }
  // Two columns at once; the filter reads back; turning it off shows every row.
  auto app = list_instance();
  expect_ran(testing::run(app,
                          sub({u"Range(\"A1:C7\").AutoFilter Field:=1, Criteria1:=\"서울\"",
                               u"Range(\"A1:C7\").AutoFilter Field:=2, Criteria1:=\">75\"",
                               u"Range(\"E1\").Value = ActiveSheet.AutoFilter.Filters(2).Criteria1",
                               u"Range(\"E2\").Value = ActiveSheet.AutoFilter.Range.Address"}),
                          u"M"));
  EXPECT_EQ(shown_rows(*app), "101000");
  EXPECT_EQ(shown(*app, u"E1"), ">75");
  EXPECT_EQ(shown(*app, u"E2"), "$A$1:$C$7");
  expect_ran(testing::run(app, sub({u"Range(\"A1\").AutoFilter"}), u"M"));
  EXPECT_EQ(shown_rows(*app), "111111");
  auto bad = testing::run(app, sub({u"Range(\"A1\").AutoFilter Field:=4, Criteria1:=\"x\""}), u"M");
  EXPECT_EQ(bad.error, 1004);
}

TEST(RecordedMembersTest, AutoFitColumnsAndRows) {
  auto app = testing::sample_instance();
  // Ten digits in the standard font take ten characters of width, whatever the font's digit
  // width in pixels.
  expect_ran(testing::run(app,
                          sub({u"Range(\"A2\").Value = 1234567890", u"Range(\"A3\").Value = 12",
                               u"Range(\"B2\").Value = 7", u"Columns(\"D:D\").ColumnWidth = 3",
                               u"Columns(\"A:D\").EntireColumn.AutoFit", u"Rows(2).RowHeight = 40",
                               u"Rows(\"2:3\").AutoFit"}),
                          u"M"));
  EXPECT_DOUBLE_EQ(app->Range(Variant(u"A1"))->ColumnWidth().to_double(), 10);
  EXPECT_DOUBLE_EQ(app->Range(Variant(u"B1"))->ColumnWidth().to_double(), 1);
  EXPECT_DOUBLE_EQ(app->Range(Variant(u"D1"))->ColumnWidth().to_double(), 3);  // no value: kept
  EXPECT_DOUBLE_EQ(app->Range(Variant(u"A2"))->RowHeight().to_double(),
                   app->Range(Variant(u"A9"))->RowHeight().to_double());  // back to the standard height
  // Within a range only its own cells count; cells that are neither rows nor columns refuse.
  expect_ran(testing::run(app, sub({u"Range(\"A3:A4\").Columns.AutoFit"}), u"M"));
  EXPECT_DOUBLE_EQ(app->Range(Variant(u"A1"))->ColumnWidth().to_double(), 2);
  EXPECT_EQ(testing::run(app, sub({u"Range(\"A1:B2\").AutoFit"}), u"M").error, 1004);
}

TEST(RecordedMembersTest, ReplaceInValuesAndFormulas) {
  auto app = list_instance();
  expect_ran(testing::run(app,
                          sub({u"Range(\"E1\").Formula = \"=SUM(B2:B3)\"",
                               u"Range(\"A2:A7\").Replace What:=\"서울\", Replacement:=\"Seoul\", LookAt:=xlPart",
                               u"Range(\"C2:C7\").Replace What:=\"사람1\", Replacement:=\"x\", LookAt:=xlWhole",
                               u"Range(\"E1:E1\").Replace \"B3\", \"B4\"", u"Range(\"B2:B7\").Replace \"8\", \"1\"",
                               u"Cells.Replace What:=\"SEOUL\", Replacement:=\"서울시\""}),
                          u"M"));
  EXPECT_EQ(shown(*app, u"A2"), "서울시");
  EXPECT_EQ(shown(*app, u"A3"), "부산");
  EXPECT_EQ(shown(*app, u"C2"), "x");
  EXPECT_EQ(shown(*app, u"C3"), "사람2");  // "사람1" only as the whole text
  EXPECT_EQ(to_utf8(app->Range(Variant(u"E1"))->Formula().to_string()), "=SUM(B2:B4)");
  EXPECT_EQ(app->Range(Variant(u"B4"))->Value().to_double(), 10);  // 80 typed again as 10
  EXPECT_EQ(shown(*app, u"E1"), "177");                              // 92 + 75 + 10
}

TEST(RecordedMembersTest, NamesRangesGotoAndProtection) {
  auto app = list_instance();
  expect_ran(testing::run(
      app,
      sub({u"Range(\"B2:B7\").Name = \"점수\"", u"Range(\"E1\").Value = Range(\"점수\").Address",
           u"Range(\"E2\").Value = Range(\"B2:B7\").Name.Name", u"Range(\"E3\").Value = WorksheetFunction.Sum(Range(\"점수\"))",
           u"Sheets(\"Form\").Select", u"Application.Goto Reference:=\"점수\"",
           u"Range(\"E4\").Value = ActiveSheet.Name & \" \" & Selection.Address",
           u"Application.Goto Reference:=\"Form!R2C3:R4C4\"",
           u"Range(\"E5\").Value = ActiveSheet.Name & \" \" & Selection.Address",
           u"On Error Resume Next", u"Dim n As Object", u"Set n = ActiveWorkbook.Names(\"없음\")",
           u"Range(\"E6\").Value = Err.Number", u"Err.Clear", u"Application.Goto Reference:=\"B2\"",
           u"Range(\"E7\").Value = Err.Number", u"Err.Clear", u"Set n = Sheets(\"Form\").Range(\"점수\")",
           u"Range(\"E8\").Value = Err.Number"}),
      u"M"));
  auto on = [&](const char16_t* sheet, const char16_t* cell) {
    return to_utf8(app->Sheets(Variant(sheet))->Range(Variant(cell))->Text().to_string());
  };
  auto form = [&](const char16_t* cell) { return on(u"Form", cell); };
  EXPECT_EQ(on(u"Data", u"E1"), "$B$2:$B$7");
  EXPECT_EQ(on(u"Data", u"E2"), "점수");
  EXPECT_EQ(on(u"Data", u"E3"), "469");
  EXPECT_EQ(on(u"Data", u"E4"), "Data $B$2:$B$7");  // Goto showed the name's sheet
  EXPECT_EQ(form(u"E5"), "Form $C$2:$D$4");
  EXPECT_EQ(form(u"E6"), "1004");
  EXPECT_EQ(form(u"E7"), "1004");  // Goto reads R1C1 references only
  EXPECT_EQ(form(u"E8"), "1004");  // a name of another sheet's cells

  auto protect = testing::run(app,
                              sub({u"ActiveSheet.Protect Password:=\"1234\"", u"Range(\"F1\").Value = 1",
                                   u"Range(\"G1\").Value = ActiveSheet.ProtectContents", u"On Error Resume Next",
                                   u"ActiveSheet.Unprotect \"4321\"", u"Range(\"G2\").Value = Err.Number",
                                   u"Range(\"G3\").Value = ActiveSheet.ProtectContents", u"Err.Clear",
                                   u"ActiveSheet.Unprotect Password:=\"1234\"", u"Range(\"G4\").Value = Err.Number",
                                   u"Range(\"G5\").Value = ActiveSheet.ProtectContents"}),
                              u"M");
  expect_ran(protect);
  EXPECT_EQ(form(u"G1"), "TRUE");
  EXPECT_EQ(form(u"G2"), "1004");
  EXPECT_EQ(form(u"G3"), "TRUE");
  EXPECT_EQ(form(u"G4"), "0");
  EXPECT_EQ(form(u"G5"), "FALSE");
}

TEST(RecordedMembersTest, ShapeRotationKeptModulo360AndWritten) {
  auto wb = xl::testing::sample_workbook();
  model::DrawingObject shape;
  shape.object_type = 30;
  shape.name = u"Rectangle 1";
  shape.autoshape_type = 1;
  shape.anchor = {.col1 = 1, .dx1 = 0, .row1 = 1, .dy1 = 0, .col2 = 3, .dx2 = 0, .row2 = 4, .dy2 = 0};
  wb->sheets[0]->drawings = {shape};
  auto app = xl::testing::open_in_new_instance(std::move(wb)).app;
  expect_ran(testing::run(app,
                          sub({u"ActiveSheet.Shapes(1).Rotation = -90", u"Range(\"A1\").Value = ActiveSheet.Shapes(1).Rotation",
                               u"ActiveSheet.Shapes(1).Rotation = ActiveSheet.Shapes(1).Rotation + 135",
                               u"Range(\"A2\").Value = ActiveSheet.Shapes(1).Rotation"}),
                          u"M"));
  EXPECT_EQ(shown(*app, u"A1"), "270");
  EXPECT_EQ(shown(*app, u"A2"), "45");
  auto back = xls::read_workbook(xls::write_workbook(app->ActiveWorkbook()->model()));
  EXPECT_DOUBLE_EQ(back->sheets[0]->drawings[0].rotation, 45);
}

}  // namespace
}  // namespace tabrel::macro
