#include "spreadsheet/numfmt/decimal_form.h"

#include <charconv>
#include <cmath>

namespace tabrel::numfmt {

namespace {

void trim_trailing_zeros(DecimalForm& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.point = 0;
}

// Keeps the first `keep` digits, rounding half away from zero on the next one.
DecimalForm keep_digits(const DecimalForm& d, long keep) {
  if (keep >= static_cast<long>(d.digits.size())) return d;
  DecimalForm r;
  r.negative = d.negative;
  if (keep < 0) return r;
  bool up = d.digits[static_cast<size_t>(keep)] >= '5';
  r.digits = d.digits.substr(0, static_cast<size_t>(keep));
  r.point = d.point;
  if (up) {
    long i = keep - 1;
    while (i >= 0 && r.digits[static_cast<size_t>(i)] == '9') r.digits[static_cast<size_t>(i--)] = '0';
    if (i < 0) {
      r.digits.insert(r.digits.begin(), '1');
      ++r.point;
    } else {
      ++r.digits[static_cast<size_t>(i)];
    }
  }
  trim_trailing_zeros(r);
  return r;
}

}  // namespace

DecimalForm decimal_form(double value) {
  DecimalForm d;
  if (!std::isfinite(value) || value == 0) return d;
  d.negative = value < 0;
  // 15 significant digits, correctly rounded: d.ddddddddddddddde±x.
  char buf[40];
  const char* end = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14).ptr;
  const char* e = buf;
  while (e != end && *e != 'e') {
    if (*e >= '0' && *e <= '9') d.digits.push_back(*e);
    ++e;
  }
  int exponent = 0;
  if (e != end) std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
  d.point = exponent + 1;
  trim_trailing_zeros(d);
  return d;
}

DecimalForm round_decimals(const DecimalForm& d, int decimals) {
  return keep_digits(d, static_cast<long>(d.point) + decimals);
}

DecimalForm round_significant(const DecimalForm& d, int significant) {
  return keep_digits(d, significant < 1 ? 1 : significant);
}

std::string integer_digits(const DecimalForm& d) {
  if (d.point <= 0) return "0";
  std::string out = d.digits.substr(0, static_cast<size_t>(d.point));
  out.append(static_cast<size_t>(d.point) - out.size(), '0');
  return out;
}

std::string fraction_digits(const DecimalForm& d, int decimals) {
  std::string out;
  for (int i = 0; i < decimals; ++i) {
    long k = static_cast<long>(d.point) + i;  // index into digits of the 10^-(i+1) digit
    out.push_back(k >= 0 && k < static_cast<long>(d.digits.size()) ? d.digits[static_cast<size_t>(k)] : '0');
  }
  return out;
}

}  // namespace tabrel::numfmt
