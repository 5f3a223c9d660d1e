#include <gtest/gtest.h>

#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/lexer.h"

namespace tabrel::macro {
namespace {

// The tokens as a compact text: names as they are, literals as <type:value>, operators, and
// "|" for each end of a logical line.
std::string shown(std::u16string_view source) {
  std::string out;
  for (const auto& t : tokenize(source)) {
    if (!out.empty()) out += ' ';
    switch (t.kind) {
      case Tok::End: out += "$"; break;
      case Tok::Newline: out += "|"; break;
      case Tok::Colon: out += ":"; break;
      case Tok::Identifier: out += (t.bracketed ? "[" : "") + to_utf8(t.text) + (t.bracketed ? "]" : ""); break;
      case Tok::Operator: out += to_utf8(t.text); break;
      case Tok::Literal: out += "<" + to_utf8(t.value.type_name()) + ":" + to_utf8(t.value.to_string()) + ">"; break;
    }
  }
  return out;
}

TEST(LexerTest, Tokens) {
  struct Case {
    const char16_t* source;
    const char* tokens;
  };
  const Case cases[] = {
      {u"x = 1", "x = <Integer:1> | $"},
      {u"ActiveCell.FormulaR1C1 = \"=SUM(R[-3]C:R[-1]C)\"", "ActiveCell . FormulaR1C1 = <String:=SUM(R[-3]C:R[-1]C)> | $"},
      {u"s = \"say \"\"hi\"\"\"", "s = <String:say \"hi\"> | $"},
      {u"Range(\"A1\").Sort Key1:=Range(\"A2\"), _\r\n    Order1:=xlAscending", "Range ( <String:A1> ) . Sort Key1 := Range ( <String:A2> ) , Order1 := xlAscending | $"},
      {u"a = 1 ' comment\r\nRem whole line\r\nb = 2", "a = <Integer:1> | b = <Integer:2> | $"},
      {u"x = &HFF + &H10000 + &O17&", "x = <Integer:255> + <Long:65536> + <Long:15> | $"},
      {u"d = #2020-01-02# + #12:30:00 PM#", "d = <Date:2020-01-02> + <Date:오후 12:30:00> | $"},
      {u"n = 30000 + 40000 + 1.5 + 2#", "n = <Integer:30000> + <Long:40000> + <Double:1.5> + <Double:2> | $"},
      {u"s$ = Left$(t$, 1%)", "s = Left ( t , <Integer:1> ) | $"},
      {u"Label1: x = 1: y = 2", "Label1 : x = <Integer:1> : y = <Integer:2> | $"},
      {u"If a <> b And c >= d Then", "If a <> b And c >= d Then | $"},
      {u"[My Name] = 3", "[My Name] = <Integer:3> | $"},
      {u"s = \"unterminated", "s = <String:unterminated> | $"},
  };
  for (const auto& c : cases) EXPECT_EQ(shown(c.source), c.tokens) << to_utf8(c.source);
}

TEST(LexerTest, KeywordsIgnoreLetterCase) {
  EXPECT_EQ(keyword_of(u"END"), Kw::End);
  EXPECT_EQ(keyword_of(u"elseif"), Kw::ElseIf);
  EXPECT_EQ(keyword_of(u"Range"), Kw::None);
}

}  // namespace
}  // namespace tabrel::macro
