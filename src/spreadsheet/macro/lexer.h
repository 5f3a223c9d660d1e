#pragma once
// Splits macro source into tokens. It never fails: what it cannot read becomes an operator
// token of that character, and the statement holding it fails only when it runs.
//
// Handled here: line continuations (" _" at the end of a line), comments ("'" and Rem), string
// literals with "" escapes, dates between "#", hex (&H) and octal (&O) numbers, type suffixes
// (% & ! # @ $) on names and numbers, and bracketed names.

#include <string_view>
#include <vector>

#include "spreadsheet/macro/token.h"

namespace tabrel::macro {

std::vector<Token> tokenize(std::u16string_view source);

// The keyword a name spells (letter case ignored), Kw::None when it is none.
Kw keyword_of(std::u16string_view name);

}  // namespace tabrel::macro
