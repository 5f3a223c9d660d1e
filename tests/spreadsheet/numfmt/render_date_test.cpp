// Dates and times: 45000 is Wednesday 2023-03-15 in the 1900 system.

#include <gtest/gtest.h>

#include "spreadsheet/numfmt/render_test_util.h"

namespace tabrel::numfmt {
namespace {

constexpr double kDay = 45000;
constexpr double kSixPm = 45000.75;

TEST(RenderDate, CalendarFields) {
  check({
      {u"yyyy-mm-dd", kDay, "2023-03-15"}, {u"yy/m/d", kDay, "23/3/15"},        {u"mmm", kDay, "Mar"},
      {u"mmmm", kDay, "March"},            {u"mmmmm", kDay, "M"},              {u"ddd", kDay, "Wed"},
      {u"dddd", kDay, "Wednesday"},        {u"d-mmm-yy", kDay, "15-Mar-23"},   {u"e", kDay, "2023"},
      {u"yyyy\"년\" m\"월\" d\"일\"", kDay, "2023년 3월 15일"},
  });
}

TEST(RenderDate, KoreanNames) {
  check({
      {u"aaa", kDay, "수"},                  {u"aaaa", kDay, "수요일"},        {u"[$-412]mmmm", kDay, "3월"},
      {u"[$-412]dddd", kDay, "수요일"},      {u"[$-412]AM/PM h:mm", kSixPm, "오후 6:00"},
      {u"오전/오후 h:mm", kDay + 0.25, "오전 6:00"}, {u"[$-F800]dddd, mmmm dd, yyyy", kDay, "2023년 3월 15일 수요일"},
      {u"[$-F400]h:mm:ss AM/PM", kSixPm, "오후 6:00:00"},
  });
}

TEST(RenderDate, TimesRoundToTheShownUnit) {
  check({
      {u"h:mm AM/PM", kSixPm, "6:00 PM"},   {u"h:mm a/p", kSixPm, "6:00 p"},      {u"hh:mm:ss", kSixPm, "18:00:00"},
      {u"h:mm AM/PM", kDay, "12:00 AM"},    {u"h:mm:ss", 0.99999999, "0:00:00"},  {u"yyyy-mm-dd h:mm:ss", kDay + 0.999999999, "2023-03-16 0:00:00"},
      {u"h:mm:ss", 12345.6789, "16:17:37"}, {u"h:mm", 12345.6789, "16:17"},       {u"mm:ss.00", 1.234 / 86400, "00:01.23"},
      {u"mmss.0", 12345.6789, "1737.0"},    {u"h:m", kSixPm + 5.0 / 1440, "18:5"}, {u"m:ss", 61.0 / 86400, "1:01"},
  });
}

TEST(RenderDate, ElapsedTime) {
  check({
      {u"[h]:mm:ss", 1.5, "36:00:00"}, {u"[mm]:ss", 0.5, "720:00"}, {u"[h]:mm:ss", 12345.6789, "296296:17:37"},
      {u"[hh]", -1.2, "-28"},          {u"[s]", 1.0, "86400"},      {u"[h]:mm", 1.0 / 48, "0:30"},
  });
}

TEST(RenderDate, EpochsAndTheFictitiousLeapDay) {
  check({{u"yyyy-mm-dd", 0, "1900-01-00"}, {u"yyyy-mm-dd", 60, "1900-02-29"}, {u"yyyy-mm-dd", 61, "1900-03-01"},
         {u"yyyy-mm-dd", 2958465, "9999-12-31"}});
  check({{u"yyyy-mm-dd", 0, "1904-01-01"}, {u"yyyy-mm-dd", kDay - 1462, "2023-03-15"}}, DateSystem::k1904);
}

TEST(RenderDate, ValuesOutsideTheCalendarOverflow) {
  EXPECT_TRUE(render_code(u"yyyy-mm-dd", -1.0).overflow);
  EXPECT_TRUE(render_code(u"h:mm", -0.5).overflow);
  EXPECT_TRUE(render_code(u"[h]:mm:ss", -1.0).overflow);
  EXPECT_TRUE(render_code(u"yyyy-mm-dd", 2958466.0).overflow);
  EXPECT_EQ(shown(u"yyyy-mm-dd", u"not a date"), "not a date");
}

}  // namespace
}  // namespace tabrel::numfmt
