#include "spreadsheet/numfmt/decimal_form.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace tabrel::numfmt {

namespace {

using Wide = unsigned __int128;

constexpr int kSignificant = 15;
constexpr uint64_t kLeast15 = 100'000'000'000'000;  // 10^14, the smallest 15-digit number
constexpr int kMaxScale = 22;                       // 2^53 * 10^22 stays below 2^128

constexpr std::array<Wide, kMaxScale + 1> kPowersOfTen = [] {
  std::array<Wide, kMaxScale + 1> p{};
  p[0] = 1;
  for (int i = 1; i <= kMaxScale; ++i) p[i] = p[i - 1] * 10;
  return p;
}();

void trim_trailing_zeros(DecimalForm& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.point = 0;
}

// The digits of n * 10^-scale, n > 0.
void set_scaled(DecimalForm& d, uint64_t n, int scale) {
  while (n % 10 == 0) n /= 10, --scale;
  char buf[20];
  char* end = std::to_chars(buf, buf + sizeof buf, n).ptr;
  d.digits.assign(buf, end);
  d.point = static_cast<int>(d.digits.size()) - scale;
}

// The 15 significant digits of a positive finite value, rounded to nearest (ties to even) on the
// exact binary value, in integer arithmetic: the value is m * 2^-shift, so m * 10^scale is exact
// in 128 bits and shifting it back rounds once. False where the value lies outside that reach
// (below 10^-8, or 10^15 and more).
bool exact_digits(double value, DecimalForm& d) {
  if (value >= 1e15 || value < 1e-8) return false;
  if (value == std::floor(value)) {  // a whole number below 10^15 is its own digits
    set_scaled(d, static_cast<uint64_t>(value), 0);
    return true;
  }
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  // A normal double between 10^-8 and 10^15 that is no whole number: mantissa / 2^shift with
  // shift between 1 and 80.
  const uint64_t mantissa = (bits & ((uint64_t{1} << 52) - 1)) | uint64_t{1} << 52;
  const int shift = 1075 - static_cast<int>(bits >> 52);
  // floor(log10(value)) is floor(log10(2) * binary exponent) or one more (78913 / 2^18 is
  // log10(2) a little low).
  int exponent = ((static_cast<int>(bits >> 52) - 1023) * 78913) >> 18;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int scale = kSignificant - 1 - exponent;
    if (scale < 0 || scale > kMaxScale) return false;
    const Wide scaled = Wide{mantissa} * kPowersOfTen[static_cast<size_t>(scale)];
    Wide digits = scaled >> shift;
    if (digits >= Wide{kLeast15} * 10) {
      ++exponent;
      continue;
    }
    const Wide rest = scaled & ((Wide{1} << shift) - 1);
    const Wide half = Wide{1} << (shift - 1);
    if (rest > half || (rest == half && (digits & 1) != 0)) ++digits;
    set_scaled(d, static_cast<uint64_t>(digits), scale);
    return true;
  }
  return false;
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
  if (exact_digits(std::fabs(value), d)) return d;
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
