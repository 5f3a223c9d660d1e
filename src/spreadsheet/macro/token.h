#pragma once
// The tokens of the macro language as the lexer hands them to the parser.

#include <cstdint>
#include <string>

#include "spreadsheet/core/variant.h"

namespace tabrel::macro {

enum class Tok : uint8_t {
  End,         // end of the source
  Newline,     // end of a logical line
  Colon,       // ":" between statements on one line, or after a label
  Identifier,  // a name (keywords included; see Token::keyword)
  Literal,     // a number, string or date
  Operator,    // one of the operator spellings below
};

// Keywords the parser looks for; names that are not keywords are Kw::None.
enum class Kw : uint8_t {
  None, And, As, Attribute, Base, ByRef, ByVal, Call, Case, Close, Compare, Const, Declare, Dim, Do, Each,
  Else, ElseIf, Empty, End, Enum, Eqv, Erase, Error, Event, Exit, Explicit, False, For, Friend, Function,
  Get, Global, GoSub, GoTo, If, Imp, In, Input, Is, Let, Lib, Like, Line, Loop, LSet, Me, Mod, Module, New,
  Next, Not, Nothing, Null, On, Open, Option, Optional, Or, ParamArray, Preserve, Print, Private, Property,
  Public, Put, RaiseEvent, ReDim, Rem, Resume, Return, RSet, Select, Set, Static, Step, Stop, Sub, Then, To,
  True, Type, TypeOf, Until, Wend, While, With, WithEvents, Write, Xor, AddressOf,
};

// Operators: "+", "-", "*", "/", "\\", "^", "&", "=", "<>", "<", ">", "<=", ">=", "(", ")", ",", ".",
// ";", ":=", "!", "#".
struct Token {
  Tok kind = Tok::End;
  Kw keyword = Kw::None;
  std::u16string text;  // the name (without type suffix or brackets) or the operator spelling
  Variant value;        // Literal only
  uint32_t line = 0;    // 1-based source line where the token starts
  bool space_before = false;  // whitespace separated it from the previous token
  bool bracketed = false;     // written as [name]: never a keyword

  bool is_op(std::u16string_view op) const { return kind == Tok::Operator && text == op; }
  bool is_kw(Kw k) const { return kind == Tok::Identifier && keyword == k && !bracketed; }
};

}  // namespace tabrel::macro
