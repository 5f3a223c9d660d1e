// Rendering into a cell of a given width: General fitting, "#" overflow, fills.
// Every character measures 7 pixels here.

#include <gtest/gtest.h>

#include "spreadsheet/numfmt/render_test_util.h"

namespace tabrel::numfmt {
namespace {

struct WidthCase {
  const char16_t* code;
  double value;
  int chars;
  const char* expected;
};

TEST(CellWidth, GeneralDropsDecimalsThenTurnsScientificThenOverflows) {
  for (const WidthCase& c : std::initializer_list<WidthCase>{
           {u"General", 123456789, 8, "1.23E+08"},     {u"General", 123456789, 9, "123456789"},
           {u"General", 1234.5678, 6, "1234.6"},        {u"General", 1234.5678, 4, "1235"},
           {u"General", 0.000123456, 7, "0.00012"},     {u"General", 123456789012, 11, "1.23457E+11"},
           {u"General", 123456789, 4, "####"},          {u"General", 123456789, 5, "1E+08"},
           {u"General", -1234.5678, 6, "-1235"},        {u"General", 0.5, 1, "1"},
           {u"General\"원\"", 123456, 6, "1E+05원"},
       }) {
    EXPECT_EQ(shown(c.code, c.value, cell_of_chars(c.chars)), c.expected) << c.value << " in " << c.chars;
  }
}

TEST(CellWidth, NumbersAndDatesThatDoNotFitShowHashes) {
  EXPECT_EQ(shown(u"0.00", 12345.678, cell_of_chars(6)), "######");
  EXPECT_EQ(shown(u"0.00", 12345.678, cell_of_chars(8)), "12345.68");
  EXPECT_EQ(shown(u"yyyy-mm-dd", 45000.0, cell_of_chars(8)), "########");
  EXPECT_EQ(shown(u"yyyy-mm-dd", -1.0, cell_of_chars(3)), "###");
  RenderResult r = render_code(u"[Red]0", 123456.0, cell_of_chars(3));
  EXPECT_TRUE(r.overflow);
  EXPECT_EQ(r.color, 3);
}

TEST(CellWidth, TextNeverShowsHashes) {
  EXPECT_EQ(shown(u"General", u"abcdefghijk", cell_of_chars(3)), "abcdefghijk");
  EXPECT_EQ(shown(u"0.00", u"long text here", cell_of_chars(2)), "long text here");
}

TEST(CellWidth, FillTakesTheFreeWidth) {
  EXPECT_EQ(shown(u"*-0", 5.0, cell_of_chars(5)), "----5");
  EXPECT_EQ(shown(u"\"₩\"* #,##0", 1000.0, cell_of_chars(10)), "₩    1,000");
  EXPECT_EQ(shown(u"@*.", u"ab", cell_of_chars(4)), "ab..");
  RenderResult r = render_code(u"* 0_)", 5.0, cell_of_chars(4));
  EXPECT_EQ(to_utf8(r.text), "  5 ");
  ASSERT_EQ(r.spacers.size(), 1u);
  EXPECT_EQ(r.spacers[0].position, 3u);
}

}  // namespace
}  // namespace tabrel::numfmt
