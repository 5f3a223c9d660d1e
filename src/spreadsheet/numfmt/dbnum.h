#pragma once
// Korean numeral systems of [DBNum1]..[DBNum4]: Hanja, formal Hanja, full-width digits with
// Hanja units, and Hangul.

#include <string>
#include <string_view>

namespace tabrel::numfmt {

// Replaces each ASCII digit by the system's digit.
std::u16string dbnum_digits(std::u16string_view text, int system);

// A whole number written with units (십/百/千, 만/萬, 억/億, 조/兆): "1234" in Hangul is
// "천이백삼십사". `digits` holds ASCII decimal digits without leading zeros ("0" for zero).
std::u16string dbnum_positional(std::string_view digits, int system);

}  // namespace tabrel::numfmt
