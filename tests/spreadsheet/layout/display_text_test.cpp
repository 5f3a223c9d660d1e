// Range.Text in cells of real widths and fonts.

#include <gtest/gtest.h>

#include "spreadsheet/core/text.h"
#include "spreadsheet/layout/column_width.h"
#include "spreadsheet/layout/display_text.h"

namespace tabrel::layout {
namespace {

const FontSpec kCalibri{u"Calibri", 11};
const FontSpec kGulim{u"굴림", 11};
constexpr int kStandardCalibri = 64;  // 8.43 characters
constexpr int kStandardGulim = 80;    // 8.11 characters

std::string text(const numfmt::CellValue& v, std::u16string_view code, int px, const FontSpec& f) {
  return to_utf8(display_text(v, code, px, f));
}

TEST(DisplayText, GeneralFitsTheStandardColumn) {
  EXPECT_EQ(text(123456789.0, u"General", kStandardCalibri, kCalibri), "1.23E+08");
  EXPECT_EQ(text(12345678.0, u"General", kStandardCalibri, kCalibri), "12345678");
  EXPECT_EQ(text(1234.5678, u"General", kStandardCalibri, kCalibri), "1234.568");
  EXPECT_EQ(text(1.0 / 3, u"General", kStandardCalibri, kCalibri), "0.333333");
  EXPECT_EQ(text(-1.0 / 3, u"General", kStandardCalibri, kCalibri), "-0.33333");
  EXPECT_EQ(text(1.0 / 3, u"General", 200, kCalibri), "0.333333333");
}

TEST(DisplayText, NarrowColumnRoundsGeneralToWholeNumbers) {
  const FontSpec arial{u"Arial", 10};
  const int px = chars_to_pixels(2.86, 7);
  EXPECT_EQ(px, 25);
  EXPECT_EQ(text(2.3, u"General", px, arial), "2");
  EXPECT_EQ(text(2.45, u"General", px, arial), "2");
  EXPECT_EQ(text(2.5, u"General", px, arial), "3");
  EXPECT_EQ(text(0.3, u"General", px, arial), "0");
  EXPECT_EQ(text(123.0, u"General", px, arial), "##");
}

TEST(DisplayText, NumbersAndDatesThatDoNotFitFillTheCellWithHashes) {
  EXPECT_EQ(text(123456789.0, u"#,##0", kStandardCalibri, kCalibri), "########");
  EXPECT_EQ(text(12345678.0, u"#,##0", 2 * kStandardCalibri, kCalibri), "12,345,678");  // merged over two columns
  // 70 pixels of text and "#" 8 pixels wide in 굴림 11.
  EXPECT_EQ(text(45000.0, u"yyyy\"년\" m\"월\" d\"일\"", kStandardGulim, kGulim), "########");
  EXPECT_EQ(text(45000.0, u"yyyy\"년\" m\"월\" d\"일\"", 2 * kStandardGulim, kGulim), "2023년 3월 15일");
  EXPECT_EQ(text(45000.0, u"yyyy-mm-dd", kStandardGulim, kGulim), "########");
  EXPECT_EQ(text(45000.0, u"yyyy-mm-dd", 100, kGulim), "2023-03-15");
  EXPECT_EQ(text(-1.0, u"yyyy-mm-dd", 2 * kStandardGulim, kGulim), "##################");
}

TEST(DisplayText, TextIsNeverCutIntoHashes) {
  EXPECT_EQ(text(u"총 합계 금액입니다", u"General", 20, kGulim), "총 합계 금액입니다");
  EXPECT_EQ(text(u"abc", u"0.00", 1, kCalibri), "abc");
}

TEST(DisplayText, AccountingFillsTheCell) {
  // "₩" and the number sit at the two ends; blanks take up the rest.
  std::string shown = text(1000.0, u"_-\"₩\"* #,##0_-;\\-\"₩\"* #,##0_-;_-\"₩\"* \"-\"_-;_-@_-", kStandardGulim, kGulim);
  EXPECT_TRUE(shown.starts_with(" ₩ ")) << shown;
  EXPECT_TRUE(shown.ends_with(" 1,000 ")) << shown;
  EXPECT_GT(shown.size(), std::string(" ₩1,000 ").size());
}

TEST(DisplayText, NoWidthRendersWithoutACell) {
  EXPECT_EQ(text(123456789.0, u"#,##0", 0, kCalibri), "123,456,789");
  EXPECT_EQ(text(1.0 / 3, u"General", 0, kCalibri), "0.333333333");
  EXPECT_EQ(text(1000.0, u"* #,##0", 0, kCalibri), "1,000");
  // A column of one or two pixels cannot show a "#" either: the spreadsheet shows the value.
  // One just wide enough for a "#" has room for one digit or one "#", whatever its padding.
  EXPECT_EQ(text(1.0, u"General", 1, kCalibri), "1");
  EXPECT_EQ(text(1.0 / 3, u"General", 9, kCalibri), "0");
  EXPECT_EQ(text(123.0, u"0", 9, kCalibri), "#");
  EXPECT_EQ(text(123.0, u"0", 16, kCalibri), "#");
}

TEST(DisplayText, BadCodesShowGeneral) {
  EXPECT_EQ(text(2.5, u"[Nope]0", kStandardCalibri, kCalibri), "2.5");
}

}  // namespace
}  // namespace tabrel::layout

namespace tabrel::layout {
namespace {

TEST(RenderCache, CompilesEachCodeOnceAndKeepsOneMetricsPerFont) {
  RenderCache cache;
  EXPECT_EQ(cache.format(u"#,##0.00"), cache.format(u"#,##0.00"));
  EXPECT_NE(cache.format(u"#,##0.00"), cache.format(u"0"));
  EXPECT_EQ(cache.format(u"[Nope]0"), cache.format(u"General")) << "a bad code shows General";
  EXPECT_EQ(&cache.metrics(kCalibri), &cache.metrics(FontSpec{u"Calibri", 11}));
  EXPECT_NE(&cache.metrics(kCalibri), &cache.metrics(FontSpec{u"Calibri", 12}));
  // Through the cache a cell shows what it shows without one.
  for (const std::u16string code : {u"General", u"#,##0", u"[Nope]0", u"0.00E+00"})
    EXPECT_EQ(display_text(1234.5678, code, kStandardGulim, kGulim, {}, cache),
              display_text(1234.5678, std::u16string_view(code), kStandardGulim, kGulim));
}

TEST(RenderCache, FormatOfAnIdFollowsItsCodeAndFontsStayApart) {
  RenderCache cache;
  const numfmt::Format& first = cache.format_of_id(164, u"0.0");
  EXPECT_EQ(&cache.format_of_id(164, u"0.0"), &first);
  // A workbook that gives the id another code shows the new one at once.
  EXPECT_EQ(cache.format_of_id(164, u"#,##0").code(), u"#,##0");
  EXPECT_EQ(cache.format_of_id(165, u"[Nope]0").code(), u"General");
  const FontMetrics& calibri = cache.metrics(kCalibri);
  EXPECT_NE(&cache.metrics(FontSpec{u"Arial", 11}), &calibri);
  EXPECT_EQ(&cache.metrics(kCalibri), &calibri);
}

}  // namespace
}  // namespace tabrel::layout
