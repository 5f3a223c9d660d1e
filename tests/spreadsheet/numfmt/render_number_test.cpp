// Numbers through format codes; expected texts are what the spreadsheet shows for them.

#include <gtest/gtest.h>

#include "spreadsheet/numfmt/render_test_util.h"

namespace tabrel::numfmt {
namespace {

TEST(RenderNumber, DigitsRoundHalfAwayFromZeroOnFifteenDigits) {
  check({
      {u"0", 1.5, "2"},          {u"0", 2.5, "3"},         {u"0", -2.5, "-3"},      {u"0", 0.4, "0"},
      {u"0", -0.4, "-0"},        {u"0.00", 1.005, "1.01"}, {u"0.00", -1.235, "-1.24"},
      {u"0.00", 0.1 + 0.2, "0.30"}, {u"0.0", 0.05, "0.1"},  {u"0.000", 2.0005, "2.001"},
  });
}

TEST(RenderNumber, PlaceholdersAndSeparators) {
  check({
      {u"#,##0", 1234567, "1,234,567"}, {u"#,##0", 0, "0"},          {u"#,##0", 999.5, "1,000"},
      {u"#,##0.00", -1234.5, "-1,234.50"}, {u"#", 0, ""},            {u"#.##", 0.5, ".5"},
      {u"0.##", 5, "5."},               {u"#,###", 0, ""},           {u"0.0?", 1.5, "1.5 "},
      {u"??0", 5, "  5"},               {u"00000", 1, "00001"},      {u"000-00-0000", 123456789, "123-45-6789"},
      {u"###-####", 1, "-1"},           {u"0,000", 5, "0,005"},      {u".00", 12.5, "12.50"},
      {u"#,##0", 12345678901234.0, "12,345,678,901,234"},
  });
}

TEST(RenderNumber, PercentAndThousandsScaling) {
  check({
      {u"0%", 0.125, "13%"},       {u"0.00%", 12345.6789, "1234567.89%"}, {u"0.0%", 0.0005, "0.1%"},
      {u"0,", 1500, "2"},          {u"#,##0,,\"M\"", 1234567890, "1,235M"}, {u"0.0,,", 1234567, "1.2"},
  });
}

TEST(RenderNumber, LiteralsAndKoreanText) {
  check({
      {u"\"₩\"#,##0", 1000, "₩1,000"}, {u"#,##0\"원\"", 1000, "1,000원"}, {u"0 \"개\"", 3, "3 개"},
      {u"\\(0\\)", 7, "(7)"},           {u"\"$\"#,##0.00", -1.2, "-$1.20"}, {u"\"abc\"", -5, "-abc"},
      {u"[$€-407]#,##0.00", 1, "€1.00"}, {u"#,##0.00\\ [$€-407]", -1.2, "-1.20 €"},
  });
}

TEST(RenderNumber, SectionsChooseByValue) {
  check({
      {u"0;(0)", -5, "(5)"},        {u"0;(0)", 5, "5"},           {u"0;(0)", 0, "0"},
      {u"0;-0;\"zero\"", 0, "zero"}, {u"0;-0;\"zero\"", -3, "-3"}, {u"0;;", -5, ""},
      {u"0;;;@", 0, ""},            {u"@", 12.5, "12.5"},         {u"General;\"neg\"", -1, "neg"},
  });
  EXPECT_EQ(render_code(u"0.00;[Red]-0.00", -1.0).color, 3);
  EXPECT_EQ(render_code(u"0.00;[Red]-0.00", 1.0).color, std::nullopt);
  EXPECT_EQ(render_code(u"[Color10]0", 1.0).color, 10);
  EXPECT_EQ(render_code(u"[파랑]0", 1.0).color, 5);
}

TEST(RenderNumber, ConditionsPickSectionsAndNegativeSectionsDropTheSign) {
  const char16_t* code = u"[>=100]\"big\";[<0]\"neg\";\"small\"";
  check({{code, 100, "big"}, {code, -1, "neg"}, {code, 5, "small"}});
  const char16_t* colored = u"[Red][<=-25]General;[Blue][>=25]General;[Green]General";
  check({{colored, -30, "30"}, {colored, -1, "-1"}, {colored, 30, "30"}});
  EXPECT_EQ(render_code(colored, -30.0).color, 3);
  EXPECT_EQ(render_code(colored, 0.0).color, 4);
  check({{u"[<=9999999]###-####;(###) ###-####", 5551234, "555-1234"},
         {u"[<=9999999]###-####;(###) ###-####", 8005551234, "(800) 555-1234"},
         {u"[Red][=50]General;[Blue]000", 49, "049"}});
  // No section applies: the cell shows "#".
  EXPECT_TRUE(render_code(u"[>100]0;[<-100]0", 5.0).overflow);
}

TEST(RenderNumber, Scientific) {
  check({
      {u"0.00E+00", 12345, "1.23E+04"},    {u"0.00E+00", 0.000123, "1.23E-04"}, {u"0.00E+00", 0, "0.00E+00"},
      {u"0.00E+00", 9.999, "1.00E+01"},    {u"0.00E-00", 12345, "1.23E04"},     {u"##0.0E+0", 12345.6789, "12.3E+3"},
      {u"##0.0E+0", 0.00012345, "123.5E-6"}, {u"0.00E+00", -12345.6789, "-1.23E+04"}, {u"0E+0", 1e100, "1E+100"},
  });
}

TEST(RenderNumber, Fractions) {
  check({
      {u"# ?/?", 12345.6789, "12345 2/3"}, {u"# ?\?/??", 12345.6789, "12345 55/81"}, {u"# ?/?", 1, "1    "},
      {u"?/?", 1.5, "3/2"},                {u"# ?/8", 1.3, "1 2/8"},                {u"# ?/?", 12.3, "12 1/3"},
      {u"# ?\?/??", -123.456, "-123 26/57"}, {u"#\\ ??\?/???", 1234.567, "1234  55/97 "}, {u"# ?/?", 0.99, "1    "},
  });
}

TEST(RenderNumber, GeneralKeepsElevenCharacters) {
  check({
      {u"General", 0, "0"},                      {u"General", 0.1 + 0.2, "0.3"},
      {u"General", 1.0 / 3, "0.333333333"},      {u"General", -1.0 / 3, "-0.333333333"},
      {u"General", 0.0001, "0.0001"},            {u"General", 0.00001, "1E-05"},
      {u"General", 12345678901, "12345678901"},  {u"General", 123456789012, "1.23457E+11"},
      {u"General", 1e100, "1E+100"},             {u"General", -12345.67891, "-12345.67891"},
      {u"General", 99999999999.7, "1E+11"},      {u"General", -6.211546860868111e-06, "-6.21155E-06"},
      {u"G/표준", 12.5, "12.5"},                 {u"General\"개\"", 3, "3개"},
  });
}

TEST(RenderNumber, KoreanNumerals) {
  check({
      {u"[DBNum4]General", 1234, "천이백삼십사"}, {u"[DBNum1]General", 1234, "千二百三十四"},
      {u"[DBNum4]General", 0, "영"},             {u"[DBNum4]General", 20050, "이만오십"},
      {u"[DBNum2]General", 11, "拾壹"},
  });
}

TEST(RenderValue, TextBooleansAndErrors) {
  EXPECT_EQ(shown(u"0.00", u"abc"), "abc");
  EXPECT_EQ(shown(u"0;0;0;\"<\"@\">\"", u"abc"), "<abc>");
  EXPECT_EQ(shown(u"[Red]@", u"abc"), "abc");
  EXPECT_EQ(render_code(u"[Red]@", u"abc").color, 3);
  EXPECT_EQ(shown(u"0.00", true), "TRUE");
  EXPECT_EQ(shown(u"0.00", false), "FALSE");
  EXPECT_EQ(shown(u"0.00", CellError::Div0), "#DIV/0!");
  EXPECT_EQ(shown(u"0.00", CellValue()), "");
}

TEST(RenderValue, SpacersAndFillsLeaveHints) {
  RenderResult r = render_code(u"0_);(0)", 5.0);
  EXPECT_EQ(to_utf8(r.text), "5 ");
  ASSERT_EQ(r.spacers.size(), 1u);
  EXPECT_EQ(r.spacers[0].position, 1u);
  EXPECT_EQ(r.spacers[0].width_of, u')');
  EXPECT_EQ(to_utf8(measured_text(r)), "5)");
  RenderResult acc = render_code(u"_(\"$\"* #,##0.00_);_(\"$\"* \\(#,##0.00\\);_(\"$\"* \"-\"??_);_(@_)", -1.2);
  EXPECT_EQ(to_utf8(acc.text), " $(1.20)");
  ASSERT_TRUE(acc.fill.has_value());
  EXPECT_EQ(acc.fill->position, 2u);
  EXPECT_EQ(acc.fill->fill, u" ");
  EXPECT_EQ(shown(u"_(\"$\"* #,##0.00_);_(\"$\"* \\(#,##0.00\\);_(\"$\"* \"-\"??_);_(@_)", 0.0), " $-   ");
}

}  // namespace
}  // namespace tabrel::numfmt
