// AutoFill series and the keyboard's moves through blocks of cells, as recorded macros use
// them. Expected series follow the spreadsheet's fill handle: a single number is copied, two or
// more extend their linear trend (or a geometric one when asked), dates count days (or the unit asked for), numbered texts and
// the built-in weekday and month lists count on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_macro.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/core/text.h"

namespace tabrel::macro {
namespace {

using testing::run;
using testing::sample_instance;

std::string text_at(xl::Application& app, const char16_t* address) {
  return to_utf8(app.Range(Variant(address))->Text().to_string());
}

struct FillCase {
  const char16_t* setup;  // statements that fill the source
  const char16_t* fill;   // the AutoFill statement
  std::vector<std::pair<const char16_t*, const char*>> expected;  // cell, displayed text
};

TEST(AutoFillTest, SeriesLikeTheFillHandle) {
  const FillCase cases[] = {
      // numbers: one is copied unless a series is asked for, two or more extend their trend
      {u"Range(\"A1\").Value = 5",
       u"Range(\"A1\").AutoFill Destination:=Range(\"A1:A3\"), Type:=xlFillDefault",
       {{u"A2", "5"}, {u"A3", "5"}}},
      {u"Range(\"A1\").Value = 5", u"Range(\"A1\").AutoFill Range(\"A1:A3\"), xlFillSeries", {{u"A2", "6"}, {u"A3", "7"}}},
      {u"Range(\"A1\").Value = 1: Range(\"A2\").Value = 3",
       u"Range(\"A1:A2\").AutoFill Destination:=Range(\"A1:A4\")",
       {{u"A3", "5"}, {u"A4", "7"}}},
      {u"Range(\"A1\").Value = 1: Range(\"A2\").Value = 2: Range(\"A3\").Value = 4",
       u"Range(\"A1:A3\").AutoFill Destination:=Range(\"A1:A5\")",
       {{u"A4", "5.333333"}, {u"A5", "6.833333"}}},
      {u"Range(\"A1\").Value = 1: Range(\"A2\").Value = 2",
       u"Range(\"A1:A2\").AutoFill Destination:=Range(\"A1:A4\"), Type:=xlFillCopy",
       {{u"A3", "1"}, {u"A4", "2"}}},
      // growth trends: two numbers give their ratio, more their geometric fit; one is copied
      {u"Range(\"A1\").Value = 2: Range(\"A2\").Value = 6",
       u"Range(\"A1:A2\").AutoFill Destination:=Range(\"A1:A4\"), Type:=xlGrowthTrend",
       {{u"A3", "18"}, {u"A4", "54"}}},
      {u"Range(\"A1\").Value = 1: Range(\"A2\").Value = 2: Range(\"A3\").Value = 4",
       u"Range(\"A1:A3\").AutoFill Destination:=Range(\"A1:A5\"), Type:=xlGrowthTrend",
       {{u"A4", "8"}, {u"A5", "16"}}},
      {u"Range(\"A1\").Value = 2", u"Range(\"A1\").AutoFill Range(\"A1:A3\"), xlGrowthTrend", {{u"A2", "2"}, {u"A3", "2"}}},
      // upward and to the right
      {u"Range(\"B5\").Value = 1: Range(\"B6\").Value = 2",
       u"Range(\"B5:B6\").AutoFill Destination:=Range(\"B3:B6\")",
       {{u"B4", "0"}, {u"B3", "-1"}}},
      {u"Range(\"A1\").Value = \"Mon\"", u"Range(\"A1\").AutoFill Destination:=Range(\"A1:C1\")",
       {{u"B1", "Tue"}, {u"C1", "Wed"}}},
      // the built-in lists, wrapping round, in Korean and English, letter case kept
      {u"Range(\"A1\").Value = \"11월\"", u"Range(\"A1\").AutoFill Destination:=Range(\"A1:A3\")",
       {{u"A2", "12월"}, {u"A3", "1월"}}},
      {u"Range(\"A1\").Value = \"토\"", u"Range(\"A1\").AutoFill Destination:=Range(\"A1:A3\")",
       {{u"A2", "일"}, {u"A3", "월"}}},
      {u"Range(\"A1\").Value = \"월요일\": Range(\"A2\").Value = \"수요일\"",
       u"Range(\"A1:A2\").AutoFill Destination:=Range(\"A1:A4\")",
       {{u"A3", "금요일"}, {u"A4", "일요일"}}},
      {u"Range(\"A1\").Value = \"NOV\"", u"Range(\"A1\").AutoFill Destination:=Range(\"A1:A3\")",
       {{u"A2", "DEC"}, {u"A3", "JAN"}}},
      {u"Range(\"A1\").Value = \"3사분기\"", u"Range(\"A1\").AutoFill Destination:=Range(\"A1:A3\")",
       {{u"A2", "4사분기"}, {u"A3", "1사분기"}}},
      // texts with a number at the end or the start; leading zeros keep the width
      {u"Range(\"A1\").Value = \"Item9\"", u"Range(\"A1\").AutoFill Destination:=Range(\"A1:A3\")",
       {{u"A2", "Item10"}, {u"A3", "Item11"}}},
      {u"Range(\"A1\").Value = \"A08\": Range(\"A2\").Value = \"A10\"",
       u"Range(\"A1:A2\").AutoFill Destination:=Range(\"A1:A3\")",
       {{u"A3", "A12"}}},
      {u"Range(\"A1\").Value = \"1번\"", u"Range(\"A1\").AutoFill Destination:=Range(\"A1:A2\")", {{u"A2", "2번"}}},
      {u"Range(\"A1\").Value = \"합계\"", u"Range(\"A1\").AutoFill Destination:=Range(\"A1:A2\")", {{u"A2", "합계"}}},
      // a text and a number side by side: the text counts on, the number is copied
      {u"Range(\"A1\").Value = \"제1\": Range(\"A2\").Value = 7",
       u"Range(\"A1:A2\").AutoFill Destination:=Range(\"A1:A6\")",
       {{u"A3", "제2"}, {u"A4", "7"}, {u"A5", "제3"}, {u"A6", "7"}}},
      // dates: days by default, or weekdays, months (the day kept within the month), years
      {u"Range(\"A1\").NumberFormat = \"yyyy-mm-dd\": Range(\"A1\").Value = 46053",
       u"Range(\"A1\").AutoFill Destination:=Range(\"A1:A3\")",
       {{u"A2", "2026-02-01"}, {u"A3", "2026-02-02"}}},
      {u"Range(\"A1\").NumberFormat = \"yyyy-mm-dd\": Range(\"A1\").Value = 46053",
       u"Range(\"A1\").AutoFill Destination:=Range(\"A1:A3\"), Type:=xlFillMonths",
       {{u"A2", "2026-02-28"}, {u"A3", "2026-03-31"}}},
      {u"Range(\"A1\").NumberFormat = \"yyyy-mm-dd\": Range(\"A1\").Value = 46053",
       u"Range(\"A1\").AutoFill Destination:=Range(\"A1:A2\"), Type:=xlFillYears",
       {{u"A2", "2027-01-31"}}},
      {u"Range(\"A1\").NumberFormat = \"yyyy-mm-dd\": Range(\"A1\").Value = 46052",
       u"Range(\"A1\").AutoFill Destination:=Range(\"A1:A3\"), Type:=xlFillWeekdays",
       {{u"A2", "2026-02-02"}, {u"A3", "2026-02-03"}}},
      // formats only: the values stay as they were
      {u"Range(\"A1\").Value = 1: Range(\"A1\").NumberFormat = \"0.00\": Range(\"A2\").Value = 4",
       u"Range(\"A1\").AutoFill Destination:=Range(\"A1:A2\"), Type:=xlFillFormats",
       {{u"A2", "4.00"}}},
  };
  for (const FillCase& c : cases) {
    auto app = sample_instance();
    const std::u16string source =
        u"Sub Fill()\r\nColumns(\"A:C\").ColumnWidth = 12\r\n" + std::u16string(c.setup) + u"\r\n" + std::u16string(c.fill) + u"\r\nEnd Sub\r\n";
    const testing::Outcome out = run(app, source, u"Fill");
    ASSERT_TRUE(out.ok) << to_utf8(c.fill) << " " << to_utf8(out.reason);
    for (const auto& [cell, expected] : c.expected) {
      const std::string shown = text_at(*app, cell);
      EXPECT_EQ(shown.substr(0, std::string(expected).size()), expected) << to_utf8(c.fill) << " at " << to_utf8(cell);
    }
  }
}

TEST(AutoFillTest, UnsupportedTypeAndBadDestinationFail) {
  auto app = sample_instance();
  const testing::Outcome flash = run(app,
                                     u"Sub Fill()\r\nRange(\"A1\").Value = 2\r\n"
                                     u"Range(\"A1\").AutoFill Range(\"A1:A3\"), 11\r\nEnd Sub\r\n",
                                     u"Fill");
  EXPECT_EQ(flash.error, 438);
  ASSERT_FALSE(flash.log.unsupported.empty());
  const testing::Outcome apart =
      run(app, u"Sub Fill()\r\nRange(\"A1\").AutoFill Range(\"B2:B3\")\r\nEnd Sub\r\n", u"Fill");
  EXPECT_EQ(apart.error, 1004);
}

// A block A1:C4 with a gap row, a lone cell in A9, and a table starting at E2.
const char16_t* const kBlocks =
    u"Sub Setup()\r\n"
    u"Range(\"A1:C4\").Value = 1\r\n"
    u"Range(\"A9\").Value = 1\r\n"
    u"Range(\"E2:F3\").Value = 1\r\n"
    u"End Sub\r\n";

TEST(RangeRegionTest, EndMovesLikeCtrlArrow) {
  struct Case {
    const char16_t* from;
    const char16_t* direction;
    const char* reached;
  };
  const Case cases[] = {
      {u"A1", u"xlDown", "$A$4"},    {u"A4", u"xlDown", "$A$9"},    {u"A9", u"xlDown", "$A$65536"},
      {u"A1", u"xlToRight", "$C$1"}, {u"C2", u"xlToRight", "$E$2"}, {u"A6", u"xlUp", "$A$4"},
      {u"B1", u"xlUp", "$B$1"},      {u"F3", u"xlToLeft", "$E$3"},
  };
  for (const Case& c : cases) {
    auto app = sample_instance();
    ASSERT_TRUE(run(app, kBlocks, u"Setup").ok);
    const std::u16string probe = u"Sub Probe()\r\nRange(\"" + std::u16string(c.from) + u"\").End(" + c.direction +
                                 u").Select\r\nEnd Sub\r\n";
    ASSERT_TRUE(run(app, probe, u"Probe").ok);
    const auto selected = std::dynamic_pointer_cast<xl::Range>(app->Selection());
    ASSERT_TRUE(selected);
    EXPECT_EQ(to_utf8(selected->Address()), c.reached) << to_utf8(c.from) << " " << to_utf8(c.direction);
  }
}

TEST(RangeRegionTest, CurrentRegionIsTheBlockAroundTheCell) {
  struct Case {
    const char16_t* cell;
    const char* region;
  };
  for (const Case c : {Case{u"B2", "$A$1:$C$4"}, Case{u"E2", "$E$2:$F$3"},
                       Case{u"H20", "$H$20"}}) {
    auto app = sample_instance();
    ASSERT_TRUE(run(app, kBlocks, u"Setup").ok);
    EXPECT_EQ(to_utf8(app->Range(Variant(c.cell))->CurrentRegion()->Address()), c.region) << to_utf8(c.cell);
  }
}

}  // namespace
}  // namespace tabrel::macro
