#include "runtime/numbers.h"

#include <gtest/gtest.h>

namespace tabrel::rt {
namespace {

TEST(FormatFixed2, RoundsHalfAwayFromZeroOnTheDecimalForm) {
  struct Case { double x; const char16_t* text; } cases[] = {
      {0, u"0.00"},          {17.5, u"17.50"},     {20, u"20.00"},     {1.005, u"1.01"},
      {2.675, u"2.68"},      {-2.5, u"-2.50"},     {-1.665, u"-1.67"}, {-0.001, u"0.00"},
      {99.995, u"100.00"},   {0.125, u"0.13"},     {1234567.891, u"1234567.89"},
      {-8.67, u"-8.67"},     {1e-20, u"0.00"},     {0.005, u"0.01"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFixed2(c.x), c.text) << c.x;
  // A Single score widened to Double keeps its float noise; the format hides it.
  EXPECT_EQ(FormatFixed2(static_cast<double>(static_cast<float>(-5.0f / 3.0f))), u"-1.67");
}

TEST(Val, ReadsTheLeadingNumber) {
  struct Case { const char16_t* text; double value; } cases[] = {
      {u"17.5", 17.5}, {u"  42abc", 42}, {u"1 2 3", 123}, {u"-3.5e2x", -350}, {u"abc", 0},
      {u"", 0},        {u"&HFF", 255},   {u"&O17", 15},   {u".5", 0.5},       {u"1e", 1},
      {u"실격", 0},    {u"20,5", 20},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.value) << std::string(c.text, c.text + 3).size();
}

TEST(CStr, SingleToSevenDigitsDoubleToFifteen) {
  EXPECT_EQ(CStr(1.0f / 3.0f), u"0.3333333");
  EXPECT_EQ(CStr(1.0 / 3.0), u"0.333333333333333");
  EXPECT_EQ(CStr(17.5f), u"17.5");
  EXPECT_EQ(CStr(-8.67f), u"-8.67");
  EXPECT_EQ(CStr(100.0), u"100");
  EXPECT_EQ(CStr(1e15), u"1E+15");
  EXPECT_EQ(CStr(0.00001), u"0.00001");
  EXPECT_EQ(CStr(1.5e-7), u"1.5E-07");
}

TEST(IsNumeric, AcceptsNumbersOnly) {
  EXPECT_TRUE(IsNumeric(u" 12.5 "));
  EXPECT_TRUE(IsNumeric(u"1,234"));
  EXPECT_FALSE(IsNumeric(u""));
  EXPECT_FALSE(IsNumeric(u"실격"));
  EXPECT_FALSE(IsNumeric(u"12a"));
}

}  // namespace
}  // namespace tabrel::rt
