#pragma once
// Rounding on the 15-significant-digit decimal form the spreadsheet works with, so that
// ROUND(2.675, 2) gives 2.68 although the double is slightly below 2.675.

namespace tabrel::formula {

enum class RoundMode { HalfAwayFromZero, Down, Up };

// Rounds |value| to `digits` decimals (negative: tens, hundreds ...), the sign kept.
double round_decimal(double value, int digits, RoundMode mode);

// The value cut to 15 significant digits (the form comparisons and display use).
double to_15_digits(double value);

}  // namespace tabrel::formula
