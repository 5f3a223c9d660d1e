#include "spreadsheet/formula/decimal_round.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tabrel::formula {

double to_15_digits(double value) {
  if (!std::isfinite(value) || value == 0) return value;
  // A whole number of at most 15 digits is its own 15-digit form (the common case of lookups
  // and comparisons, which would otherwise print and parse every value).
  if (std::fabs(value) < 1e15 && value == std::trunc(value)) return value;
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", value);
  return std::strtod(buf, nullptr);
}

double round_decimal(double value, int digits, RoundMode mode) {
  if (!std::isfinite(value) || value == 0) return value;
  if (digits > 15) digits = 15;
  if (digits < -15) return 0;
  // Digits of the 15-digit form: d.dddddddddddddd e exp.
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
  std::string s = buf;
  std::string mantissa = s.substr(0, 1) + s.substr(2, 14);
  int exponent = std::atoi(s.c_str() + s.find('e') + 1);
  // Keep `digits` decimals: the count of mantissa digits to keep is exponent + 1 + digits.
  int keep = exponent + 1 + digits;
  if (keep >= 15) return std::strtod(buf, nullptr) * (value < 0 ? -1 : 1);
  bool bump = false;
  if (keep < 0) {
    bump = mode == RoundMode::Up;
    keep = 0;
    if (bump) {
      double unit = std::pow(10.0, -digits);
      return value < 0 ? -unit : unit;
    }
    return 0;
  }
  std::string rest = mantissa.substr(static_cast<size_t>(keep));
  bool nonzero_rest = rest.find_first_not_of('0') != std::string::npos;
  switch (mode) {
    case RoundMode::HalfAwayFromZero: bump = !rest.empty() && rest[0] >= '5'; break;
    case RoundMode::Down: bump = false; break;
    case RoundMode::Up: bump = nonzero_rest; break;
  }
  std::string kept = mantissa.substr(0, static_cast<size_t>(keep));
  double whole = kept.empty() ? 0 : std::strtod(kept.c_str(), nullptr);
  if (bump) whole += 1;
  // whole is an integer count of units of 10^-digits.
  double result = digits >= 0 ? whole / std::pow(10.0, digits) : whole * std::pow(10.0, -digits);
  result = std::strtod([&] { std::snprintf(buf, sizeof buf, "%.15g", result); return buf; }(), nullptr);
  return value < 0 ? -result : result;
}

}  // namespace tabrel::formula
