// Range.AutoFormat as recorded macros call it: the documented parts (the region around a single
// cell, Classic 1 by default, every part unless switched off, the documented look of Classic 2),
// the refusals, and that every table format gives its own result whatever was laid before.

#include <gtest/gtest.h>

#include <set>

#include "run_macro.h"
#include "spreadsheet/automation/auto_format.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/constants.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/core/text.h"

namespace tabrel::macro {
namespace {

using testing::at;
using testing::expect_ran;
using testing::run;
using testing::sample_instance;

// A sales table in B2:E6 of the first sheet: a heading row, three branches and their sums.
std::shared_ptr<xl::Application> sales_table() {
  auto app = sample_instance();
  const char16_t* rows[][4] = {{u"지점", u"1월", u"2월", u"합계"},
                               {u"서울", u"1520", u"1480", u"=SUM(C3:D3)"},
                               {u"부산", u"1230", u"1310", u"=SUM(C4:D4)"},
                               {u"대구", u"980", u"1040", u"=SUM(C5:D5)"},
                               {u"합계", u"=SUM(C3:C5)", u"=SUM(D3:D5)", u"=SUM(E3:E5)"}};
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 4; ++c) {
      const std::u16string address = std::u16string(1, static_cast<char16_t>(u'B' + c)) + from_utf8(std::to_string(r + 2));
      const std::u16string value = rows[r][c];
      auto cell = app->Range(Variant(address));
      if (value[0] == u'=') cell->SetFormula(Variant(value));
      else if (value[0] >= u'0' && value[0] <= u'9') cell->SetValue(Variant(std::stod(to_utf8(value))));
      else cell->SetValue(Variant(value));
    }
  return app;
}

long number(const Variant& v) { return v.is_null() ? -1 : v.to_long(); }

// What the table shows, cell by cell: text, bold, fill, alignment and the four edges' lines.
std::string look(xl::Application& app, const char16_t* table = u"B2:E6") {
  std::string out;
  const auto range = at(app, table);
  for (int r = 1; r <= range->Rows()->Count(); ++r)
    for (int c = 1; c <= range->Columns()->Count(); ++c) {
      const auto cell = range->Cells(Variant(r), Variant(c));
      out += to_utf8(cell->Text().to_string()) + "|" + std::to_string(cell->Font()->Bold().to_bool()) + "|" +
             std::to_string(number(cell->Interior()->ColorIndex())) + "|" + std::to_string(number(cell->HorizontalAlignment()));
      for (int edge = 7; edge <= 10; ++edge)
        out += "|" + std::to_string(number(cell->Borders(Variant(edge))->LineStyle())) + "/" +
               std::to_string(number(cell->Borders(Variant(edge))->Weight()));
      out += ";";
    }
  return out;
}

TEST(AutoFormatTest, RecordedClassic2LaysItsDocumentedLookAndFitsTheColumns) {
  auto app = sales_table();
  const Variant width_before = at(*app, u"B1")->ColumnWidth();
  expect_ran(run(app,
                 u"Sub 자동서식()\r\n"
                 u"    Range(\"B2:E6\").Select\r\n"
                 u"    Selection.AutoFormat Format:=xlRangeAutoFormatClassic2, Number:=True, Font:= _\r\n"
                 u"        True, Alignment:=True, Border:=True, Pattern:=True, Width:=True\r\n"
                 u"End Sub\r\n",
                 u"자동서식"));
  // Column headings white on purple, row headings bold on gray, the total row's heading blue
  // and bold; the values keep no fill.
  EXPECT_EQ(number(at(*app, u"B2:E2")->Interior()->ColorIndex()), 13);
  EXPECT_EQ(number(at(*app, u"B2:E2")->Font()->ColorIndex()), 2);
  EXPECT_EQ(number(at(*app, u"B3:B5")->Interior()->ColorIndex()), 15);
  EXPECT_TRUE(at(*app, u"B3:B5")->Font()->Bold().to_bool());
  EXPECT_TRUE(at(*app, u"B6")->Font()->Bold().to_bool());
  EXPECT_EQ(number(at(*app, u"B6")->Font()->ColorIndex()), 5);
  EXPECT_EQ(number(at(*app, u"C3:E5")->Interior()->ColorIndex()), xl::kXlNone);
  EXPECT_FALSE(at(*app, u"C3:E5")->Font()->Bold().to_bool());
  EXPECT_EQ(to_utf8(at(*app, u"E6")->Text().to_string()), "7560");
  // The first column fitted to "지점" and the other names: narrower than the standard width.
  EXPECT_LT(at(*app, u"B1")->ColumnWidth().to_double(), width_before.to_double());
}

TEST(AutoFormatTest, ASingleCellFormatsItsRegionAndClassic1IsTheDefault) {
  auto by_cell = sales_table();
  expect_ran(run(by_cell, u"Sub M()\r\n    Range(\"C4\").AutoFormat\r\nEnd Sub\r\n", u"M"));
  auto by_range = sales_table();
  xl::AutoFormat(*at(*by_range, u"B2:E6"), xl::TableFormat::Classic1);
  EXPECT_EQ(look(*by_cell), look(*by_range));
  EXPECT_TRUE(at(*by_cell, u"C2")->Font()->Italic().to_bool());
}

TEST(AutoFormatTest, PartsSwitchedOffKeepWhatTheCellsHad) {
  auto app = sales_table();
  at(*app, u"C3:E5")->Interior()->SetColorIndex(Variant(6));
  at(*app, u"B1")->SetColumnWidth(Variant(20.0));
  at(*app, u"D4")->Font()->SetBold(Variant(true));
  expect_ran(run(app,
                 u"Sub M()\r\n"
                 u"    Range(\"B2:E6\").AutoFormat Format:=xlRangeAutoFormatClassic2, Font:=False, "
                 u"Pattern:=False, Width:=False\r\n"
                 u"End Sub\r\n",
                 u"M"));
  EXPECT_EQ(number(at(*app, u"C3:E5")->Interior()->ColorIndex()), 6);
  EXPECT_EQ(number(at(*app, u"B2:E2")->Interior()->ColorIndex()), xl::kXlNone);
  EXPECT_TRUE(at(*app, u"D4")->Font()->Bold().to_bool());
  EXPECT_FALSE(at(*app, u"C3")->Font()->Bold().to_bool());
  EXPECT_EQ(at(*app, u"B1")->ColumnWidth().to_double(), 20.0);
  // The parts left on are laid: the lines above the total row and under the table.
  EXPECT_EQ(number(at(*app, u"C6")->Borders(Variant(8))->LineStyle()), 1);
}

TEST(AutoFormatTest, WholeColumnsTakeTheFormatAndTheirUsedRowsFitThem) {
  auto app = sales_table();
  const double width_before = at(*app, u"B1")->ColumnWidth().to_double();
  expect_ran(run(app, u"Sub M()\r\n    Columns(\"B:E\").AutoFormat Format:=xlRangeAutoFormatSimple\r\nEnd Sub\r\n", u"M"));
  // The first row of the columns is their heading; the sheet's last row their total row.
  EXPECT_TRUE(at(*app, u"E1")->Font()->Bold().to_bool());
  EXPECT_FALSE(at(*app, u"E2")->Font()->Bold().to_bool());
  EXPECT_TRUE(at(*app, u"B65536")->Font()->Bold().to_bool());
  EXPECT_LT(at(*app, u"B1")->ColumnWidth().to_double(), width_before);
}

TEST(AutoFormatTest, UnknownFormatsAndOneCellTablesAreRefused) {
  for (const char16_t* call : {u"Range(\"B2:E6\").AutoFormat Format:=xlRangeAutoFormatReport1",
                               u"Range(\"B2:E6\").AutoFormat Format:=99", u"Range(\"H10\").AutoFormat"}) {
    SCOPED_TRACE(to_utf8(call));
    auto app = sales_table();
    const auto out = run(app, u"Sub M()\r\n    " + std::u16string(call) + u"\r\nEnd Sub\r\n", u"M");
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.error, 1004);
  }
}

TEST(AutoFormatTest, EveryFormatGivesItsOwnLookWhateverWasLaidBefore) {
  using F = xl::TableFormat;
  const F formats[] = {F::None,        F::Simple,      F::Classic1,    F::Classic2,  F::Classic3,  F::Accounting1,
                       F::Accounting2, F::Accounting3, F::Accounting4, F::Colorful1, F::Colorful2, F::Colorful3,
                       F::List1,       F::List2,       F::List3,       F::Effects3D1, F::Effects3D2};
  std::set<std::string> looks;
  for (F format : formats) {
    SCOPED_TRACE(static_cast<int>(format));
    auto plain = sales_table();
    xl::AutoFormat(*at(*plain, u"B2:E6"), format);
    auto over_another = sales_table();
    xl::AutoFormat(*at(*over_another, u"B2:E6"), format == F::Colorful2 ? F::List3 : F::Colorful2);
    xl::AutoFormat(*at(*over_another, u"B2:E6"), format);
    EXPECT_EQ(look(*plain), look(*over_another));
    looks.insert(look(*plain));
  }
  EXPECT_EQ(looks.size(), std::size(formats));
}

}  // namespace
}  // namespace tabrel::macro
