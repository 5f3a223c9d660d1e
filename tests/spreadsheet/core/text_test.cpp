#include "spreadsheet/core/text.h"

#include <gtest/gtest.h>

namespace tabrel {
namespace {

TEST(Text, Utf8RoundTripIncludingSurrogatesAndBadBytes) {
  std::string s = "합격 \xF0\x9F\x8D\xA3 ok";
  std::u16string u = from_utf8(s);
  EXPECT_EQ(u.size(), 8u);  // 2 Hangul, blank, surrogate pair, blank, o, k
  EXPECT_EQ(to_utf8(u), s);
  EXPECT_EQ(from_utf8("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(from_utf8("\xE0\x80"), u"\uFFFD\uFFFD");
}

TEST(Text, CodePages) {
  auto k = decode_codepage("\xC7\xD5\xB0\xDD", 949);
  ASSERT_TRUE(k);
  EXPECT_EQ(*k, u"합격");
  auto back = encode_codepage(u"합격", 949);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, "\xC7\xD5\xB0\xDD");
  auto w = decode_codepage("\x80", 1252);
  ASSERT_TRUE(w);
  EXPECT_EQ(*w, u"\u20AC");
  EXPECT_FALSE(decode_codepage("x", 123456));
}

TEST(Text, CaseFoldingIsAsciiAndLatin) {
  EXPECT_EQ(upper(u"sum(a1) 합계"), u"SUM(A1) 합계");
  EXPECT_TRUE(equals_ignore_case(u"Sheet1", u"SHEET1"));
  EXPECT_FALSE(equals_ignore_case(u"Sheet1", u"Sheet2"));
}

}  // namespace
}  // namespace tabrel
