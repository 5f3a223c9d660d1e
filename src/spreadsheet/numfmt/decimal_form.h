#pragma once
// The decimal form of a double that the spreadsheet shows: at most 15 significant digits, and
// display rounding half away from zero on those digits (so 1.005 rounds to 1.01, not 1.00).

#include <string>

namespace tabrel::numfmt {

// |value| = 0.d1 d2 d3 ... x 10^point; digits has no trailing zeros; zero has empty digits.
struct DecimalForm {
  std::string digits;
  int point = 0;
  bool negative = false;

  bool is_zero() const { return digits.empty(); }
  // Position of the first significant digit: floor(log10(|value|)).
  int exponent() const { return point - 1; }
};

DecimalForm decimal_form(double value);

// Rounds half away from zero so that no digit remains below 10^-decimals.
DecimalForm round_decimals(const DecimalForm& d, int decimals);
// Rounds half away from zero to at most `significant` digits (at least 1).
DecimalForm round_significant(const DecimalForm& d, int significant);

// The integer digits ("0" for a value below one) and exactly `decimals` fraction digits of an
// already rounded form.
std::string integer_digits(const DecimalForm& d);
std::string fraction_digits(const DecimalForm& d, int decimals);

}  // namespace tabrel::numfmt
