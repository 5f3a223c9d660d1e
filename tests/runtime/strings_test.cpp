#include "runtime/strings.h"

#include <gtest/gtest.h>

#include "runtime/error_resume.h"
#include "spreadsheet/core/automation_error.h"

namespace tabrel::rt {
namespace {

TEST(Strings, TrimRemovesBlanksOnly) {
  EXPECT_EQ(Trim(u"  a b  "), u"a b");
  EXPECT_EQ(Trim(u"\ta\n"), u"\ta\n");
  EXPECT_EQ(Trim(u"   "), u"");
}

TEST(Strings, MidLeftRightCountUtf16Units) {
  EXPECT_EQ(Mid(u"총 합계", 3), u"합계");
  EXPECT_EQ(Mid(u"abc", 2, 1), u"b");
  EXPECT_EQ(Mid(u"abc", 5), u"");
  EXPECT_EQ(Mid(u"abc", 2, 10), u"bc");
  EXPECT_THROW(Mid(u"abc", 0), AutomationError);
  EXPECT_EQ(Left(u"abc", 5), u"abc");
  EXPECT_EQ(Right(u"abc", 2), u"bc");
}

TEST(Strings, InStrFindsOneBasedPositions) {
  EXPECT_EQ(InStr(u"=SUM(A1)", u"SUM("), 2);
  EXPECT_EQ(InStr(u"abc", u"x"), 0);
  EXPECT_EQ(InStr(u"abc", u""), 1);
  EXPECT_EQ(InStr(3, u"abcabc", u"a"), 4);
  EXPECT_EQ(InStr(u"ABC", u"a"), 0);
}

TEST(Strings, SplitKeepsEmptyPieces) {
  EXPECT_EQ(Split(u"2;B3;C4;", u";"), (std::vector<std::u16string>{u"2", u"B3", u"C4", u""}));
  EXPECT_EQ(UBound(Split(u"", u";")), -1);
  EXPECT_EQ(Split(u"a,,b", u","), (std::vector<std::u16string>{u"a", u"", u"b"}));
}

TEST(ErrorResume, StepSkipsAndMetCountsFailureAsMet) {
  int after = 0;
  EXPECT_FALSE(step([] { throw AutomationError(1004, u"x"); }));
  EXPECT_TRUE(step([&] { ++after; }));
  EXPECT_EQ(after, 1);
  EXPECT_TRUE(met([]() -> bool { throw AutomationError(438, u"x"); }));
  EXPECT_FALSE(met([] { return false; }));
}

}  // namespace
}  // namespace tabrel::rt
