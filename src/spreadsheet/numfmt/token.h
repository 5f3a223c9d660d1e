#pragma once
// Tokens of a number-format code, as the lexer cuts them.

#include <cstddef>
#include <string>
#include <vector>

namespace tabrel::numfmt {

enum class TokenKind {
  Literal,    // text shown as is: quoted, escaped or a plain literal character
  Spacer,     // _x: a blank as wide as x
  Fill,       // *x: x repeated to fill the cell
  Bracket,    // [...]: colour, condition, locale, elapsed time, [DBNumN]
  Digit,      // 0 # ?
  Point,      // .
  Comma,      // ,
  Percent,    // %
  Slash,      // /
  Exponent,   // E+ E- e+ e-
  At,         // @
  General,    // General (or its local form G/표준)
  DatePart,   // a run of one of the letters y m d h s e b (text = the run), or aaa / aaaa
  AmPm,       // AM/PM, A/P, 오전/오후 (text = as written)
  Semicolon,  // section separator
};

struct Token {
  TokenKind kind;
  std::u16string text;  // literal text, bracket content, digit character, date run ...
  size_t offset = 0;
};

// Cuts a code into tokens; throws FormatError on an unterminated quote or bracket and on an
// escape, spacer or fill at the end of the code.
std::vector<Token> lex(std::u16string_view code);

}  // namespace tabrel::numfmt
