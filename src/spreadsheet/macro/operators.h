#pragma once
// The macro language's operators on Variants: arithmetic with its type promotion (Integer
// overflows into Long, then Double), string concatenation, comparisons that give Null on Null,
// bitwise logic on Booleans and integers, and Like patterns.

#include <string_view>

#include "spreadsheet/core/variant.h"
#include "spreadsheet/macro/ast.h"

namespace tabrel::macro {

Variant unary(UnOp op, const Variant& v);
// `text_compare` follows Option Compare Text; `max_units` bounds the result of "&".
Variant binary(BinOp op, const Variant& a, const Variant& b, bool text_compare, size_t max_units);

// The truth of a condition: Null counts as False, numbers by being non-zero.
bool truth(const Variant& v);

// `text` Like `pattern`: ? one character, * any run, # one digit, [a-z] and [!a-z] classes.
bool like(std::u16string_view text, std::u16string_view pattern, bool text_compare);

// The errors the operators and the built-in functions raise with their English descriptions.
[[noreturn]] void overflow();
[[noreturn]] void type_mismatch();

}  // namespace tabrel::macro
