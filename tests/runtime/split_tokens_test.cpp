#include <gtest/gtest.h>

#include "runtime/split_tokens.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"

namespace tabrel::rt {
namespace {

struct Case {
  std::u16string text;
  std::optional<std::u16string> separator;
  std::vector<std::u16string> words;
};

TEST(SplitTokens, Table) {
  const Case cases[] = {
      {u"IF;COUNTIF", u";", {u"IF", u"COUNTIF"}},
      {u";IF;;COUNTIF;", u";", {u"IF", u"COUNTIF"}},
      {u"", u";", {}},
      {u";;;", u";", {}},
      {u"SUM AVERAGE", std::nullopt, {u"SUM", u"AVERAGE"}},
      {u"SUM AVERAGE", u"", {u"SUM", u"AVERAGE"}},
      {u"A,B;C", u";,", {u"A,B", u"C"}},
      {u"COUNTIF;&", u";", {u"COUNTIF", u"&"}},
      {u"CHOOSE;WEEKDAY;1", u";", {u"CHOOSE", u"WEEKDAY", u"1"}},
      {u"IF；COUNTIF", u";", {u"IF；COUNTIF"}},
      {u"if;IF", u";", {u"if", u"IF"}},
  };
  for (const Case& c : cases) {
    std::vector<std::u16string> words;
    const auto count = c.separator ? SplitTokens(c.text, words, std::u16string_view(*c.separator))
                                   : SplitTokens(c.text, words);
    EXPECT_EQ(count, static_cast<int16_t>(c.words.size())) << to_utf8(c.text);
    EXPECT_EQ(words, c.words) << to_utf8(c.text);
  }
}

// The array is not cleared first: at each new word it is re-dimensioned to one element per word
// so far, keeping what its first elements held (the rest is cut), and each character is appended
// to its word's element.
TEST(SplitTokens, AppendsWithoutClearing) {
  struct Held {
    std::u16string text;
    std::vector<std::u16string> before, after;
  };
  const Held cases[] = {
      {u"", {u"old"}, {u"old"}},
      {u";;", {u"old"}, {u"old"}},
      {u"IF;SUM", {u"old"}, {u"oldIF", u"SUM"}},
      {u"IF", {u"a", u"b", u"c"}, {u"aIF"}},
      {u"IF;SUM", {u"a", u"b", u"c"}, {u"aIF", u"SUM"}},
  };
  for (const Held& c : cases) {
    std::vector<std::u16string> words = c.before;
    SplitTokens(c.text, words, u";");
    EXPECT_EQ(words, c.after) << to_utf8(c.text);
  }
}

TEST(SplitTokens, WordCountOverflows) {
  std::u16string text;
  for (int i = 0; i < 32767; ++i) text += u"a;";
  std::vector<std::u16string> words;
  EXPECT_EQ(SplitTokens(text, words, u";"), 32767);
  text += u"b";
  words.clear();
  try {
    SplitTokens(text, words, u";");
    FAIL() << "no overflow";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.number(), err::kOverflow);
  }
  EXPECT_EQ(words.size(), 32767u);
}

}  // namespace
}  // namespace tabrel::rt
