#pragma once
// Number conversions of the macro language as the shell, the papers and the interpreter use
// them: Val, CStr of Single and Double, Format(x, "0.00"), IsNumeric.

#include <string>
#include <string_view>

namespace tabrel::rt {

// Val reads the longest leading number (blanks inside are skipped, "&H" hex and "&O" octal
// prefixes, "." as the decimal point); text without a leading number gives 0.
double Val(std::u16string_view s);

// CStr of a Single: at most 7 significant digits; of a Double: at most 15.
std::u16string CStr(float f);
std::u16string CStr(double d);

// Format(x, "0.00"): two decimals, rounded half away from zero on the value as printed to
// 15 significant digits (so 1.005 gives "1.01"); negative values keep their sign; a value that
// rounds to zero prints "0.00".
std::u16string FormatFixed2(double x);

// IsNumeric of a text: it reads as a number (blanks around allowed).
bool IsNumeric(std::u16string_view s);

}  // namespace tabrel::rt
