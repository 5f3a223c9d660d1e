#include "spreadsheet/numfmt/general_form.h"

#include <cstdlib>

namespace tabrel::numfmt {

namespace {

constexpr int kSmallestDecimalExponent = -4;  // 0.0001 still shows as a decimal

std::string decimal_text(const DecimalForm& r, int decimals) {
  std::string text = integer_digits(r);
  std::string frac = fraction_digits(r, decimals);
  while (!frac.empty() && frac.back() == '0') frac.pop_back();
  if (!frac.empty()) text += "." + frac;
  return text;
}

std::optional<std::string> scientific_text(const DecimalForm& m, int budget) {
  int exponent = m.exponent();
  for (int pass = 0; pass < 2; ++pass) {
    std::string exp_text = std::to_string(std::abs(exponent));
    if (exp_text.size() < 2) exp_text.insert(0, 1, '0');
    exp_text.insert(0, exponent < 0 ? "E-" : "E+");
    int decimals = budget - 2 - static_cast<int>(exp_text.size());
    if (decimals < 0) decimals = 0;
    if (1 + static_cast<int>(exp_text.size()) > budget) return std::nullopt;
    DecimalForm r = round_significant(m, decimals + 1);
    if (r.exponent() != exponent) {  // 9.99999 rounded up to 10
      exponent = r.exponent();
      continue;
    }
    std::string mant(1, r.digits[0]);
    std::string rest = r.digits.substr(1);
    if (!rest.empty()) mant += "." + rest;
    return mant + exp_text;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> general_text(const DecimalForm& magnitude, int budget) {
  if (budget < 1) return std::nullopt;
  if (magnitude.is_zero()) return std::string("0");
  DecimalForm m = magnitude;
  m.negative = false;
  const int exponent = m.exponent();
  if (exponent >= kSmallestDecimalExponent) {
    int int_len = exponent >= 0 ? exponent + 1 : 1;
    if (int_len <= budget) {
      int decimals = budget - int_len - 1;
      if (decimals < 0) decimals = 0;
      DecimalForm r = round_decimals(m, decimals);
      int new_len = r.exponent() >= 0 ? r.exponent() + 1 : 1;
      // A value that rounds away entirely in a narrow cell shows "0".
      if (new_len <= budget) {
        std::string text = decimal_text(r, decimals);
        if (static_cast<int>(text.size()) <= budget) return text;
      }
    }
  }
  return scientific_text(m, budget);
}

}  // namespace tabrel::numfmt
