#pragma once
// The General form of a number: up to 11 characters (the sign not counted), decimal while the
// integer part fits and the value is at least 0.0001, scientific otherwise ("1.23457E+11",
// "1E-05"). A smaller budget drops decimals first (0.3 in one character is "0") and then
// mantissa digits.

#include <optional>
#include <string>

#include "spreadsheet/numfmt/decimal_form.h"

namespace tabrel::numfmt {

inline constexpr int kGeneralWidth = 11;

// The text of |value| within `budget` characters; nullopt when nothing fits.
std::optional<std::string> general_text(const DecimalForm& magnitude, int budget = kGeneralWidth);

}  // namespace tabrel::numfmt
