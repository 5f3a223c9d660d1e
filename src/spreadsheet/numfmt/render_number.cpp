// Plain numbers, scientific notation and fractions.

#include <cmath>
#include <cstdint>
#include <string>

#include "spreadsheet/numfmt/digit_writer.h"
#include "spreadsheet/numfmt/section_render.h"

namespace tabrel::numfmt {

namespace {

DecimalForm scaled(const Section& s, DecimalForm d) {
  if (!d.is_zero()) d.point += 2 * s.percent - 3 * s.thousands_scale;
  return d;
}

std::string whole_digits(const DecimalForm& r) { return r.is_zero() || r.point <= 0 ? std::string() : integer_digits(r); }

// What each decimal placeholder shows (0 for nothing): trailing zeros under '#' vanish and under
// '?' become blanks.
std::u16string decimal_output(const Section& s, const std::string& frac) {
  std::u16string shown;
  for (const Element& e : s.elements)
    if (e.kind == ElementKind::Digit && e.zone == Zone::Decimal) shown.push_back(e.digit);
  size_t keep = shown.size();
  while (keep > 0 && frac[keep - 1] == '0' && shown[keep - 1] != u'0') --keep;
  for (size_t i = 0; i < shown.size(); ++i)
    shown[i] = i < keep ? static_cast<char16_t>(frac[i]) : shown[i] == u'?' ? u' ' : 0;
  return shown;
}

// Writes a mantissa or plain number: integer placeholders, point and decimals.
void write_number(const Section& s, const DecimalForm& rounded, Output& out) {
  DigitWriter whole(whole_digits(rounded), s.integer_digits, s.grouping);
  const std::u16string decimals = decimal_output(s, fraction_digits(rounded, s.decimal_digits));
  size_t next_decimal = 0;
  for (const Element& e : s.elements) {
    if (e.kind == ElementKind::Exponent) break;
    if (out.common(e)) continue;
    if (e.kind == ElementKind::Point) {
      if (s.integer_digits == 0) whole.write_all(out);
      out.append(u'.');
    } else if (e.kind == ElementKind::Digit && e.zone == Zone::Integer) {
      whole.write(e.digit, out);
    } else if (e.kind == ElementKind::Digit && e.zone == Zone::Decimal) {
      if (char16_t c = decimals[next_decimal++]) out.append(c);
    }
  }
}

long floor_div(long a, long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The fraction n/d of x in [0, 1) that the spreadsheet shows: the last convergent of the
// continued fraction of x whose denominator is at most max_den.
std::pair<int64_t, int64_t> best_fraction(double x, int64_t max_den) {
  int64_t p0 = 0, q0 = 1, p1 = 1, q1 = 0;
  double r = x;
  for (int i = 0; i < 64; ++i) {
    double a_d = std::floor(r);
    if (a_d > 1e12) break;
    int64_t a = static_cast<int64_t>(a_d);
    int64_t p2 = a * p1 + p0, q2 = a * q1 + q0;
    if (q2 > max_den) break;
    p0 = p1, q0 = q1, p1 = p2, q1 = q2;
    double frac = r - a_d;
    if (frac < 1e-12) break;
    r = 1 / frac;
  }
  if (q1 == 0) return {0, 1};
  return {p1, q1};
}

}  // namespace

void render_number(const Section& s, const DecimalForm& magnitude, Output& out) {
  write_number(s, round_decimals(scaled(s, magnitude), s.decimal_digits), out);
}

void render_scientific(const Section& s, const DecimalForm& magnitude, Output& out) {
  const DecimalForm m = scaled(s, magnitude);
  const int ni = s.integer_digits;
  auto exponent_for = [&](long x) -> long {
    if (ni == 0) return x + 1;
    if (s.engineering && ni > 1) return floor_div(x, ni) * ni;
    return x - (ni - 1);
  };
  long exponent = 0;
  DecimalForm mantissa;
  if (!m.is_zero()) {
    long x = m.exponent();
    for (int pass = 0; pass < 2; ++pass) {
      exponent = exponent_for(x);
      mantissa = m;
      mantissa.point -= static_cast<int>(exponent);
      mantissa = round_decimals(mantissa, s.decimal_digits);
      if (mantissa.exponent() == x - exponent) break;
      x = mantissa.exponent() + exponent;  // rounding carried into a new digit
    }
  }
  write_number(s, mantissa, out);
  bool seen = false;
  DigitWriter exp_digits(exponent == 0 ? std::string() : std::to_string(std::labs(exponent)), s.exponent_digits, false);
  for (const Element& e : s.elements) {
    if (!seen) {
      seen = e.kind == ElementKind::Exponent;
      if (!seen) continue;
      out.append(e.text[0]);
      if (exponent < 0) out.append(u'-');
      else if (e.text[1] == u'+') out.append(u'+');
      continue;
    }
    if (out.common(e)) continue;
    if (e.kind == ElementKind::Digit) exp_digits.write(e.digit, out);
  }
}

void render_fraction(const Section& s, double magnitude, Output& out) {
  double v = magnitude * std::pow(100.0, s.percent) / std::pow(1000.0, s.thousands_scale);
  if (!std::isfinite(v) || v > 1e15) v = 0;
  const bool has_whole = s.integer_digits > 0;
  double whole = has_whole ? std::floor(v) : 0;
  double part = v - whole;
  int64_t num = 0, den = 1;
  if (s.fixed_denominator > 0) {
    den = s.fixed_denominator;
    num = static_cast<int64_t>(std::llround(part * static_cast<double>(den)));
  } else {
    int64_t max_den = 1;
    for (int i = 0; i < std::min(s.denominator_digits, 7); ++i) max_den *= 10;
    std::tie(num, den) = best_fraction(part - std::floor(part), max_den - 1);
    num += static_cast<int64_t>(std::floor(part)) * den;
  }
  if (has_whole && num == den) whole += 1, num = 0;
  const bool blank_fraction = has_whole && num == 0;
  // Zero with nothing to show in the fraction still shows its whole part "0".
  const std::string whole_text = whole > 0 ? std::to_string(static_cast<int64_t>(whole))
                                 : num == 0 ? std::string(1, '0') : std::string();
  DigitWriter whole_digits_out(whole_text, s.integer_digits, s.grouping);
  DigitWriter numerator(num == 0 && has_whole ? std::string() : std::to_string(num), s.numerator_digits, false);
  std::string den_text = std::to_string(den);
  size_t den_index = 0;
  for (const Element& e : s.elements) {
    if (out.common(e)) continue;
    if (e.kind == ElementKind::Digit && e.zone == Zone::Integer) {
      whole_digits_out.write(e.digit, out);
    } else if (e.kind == ElementKind::Digit && e.zone == Zone::Numerator) {
      if (blank_fraction) out.append(u' ');
      else numerator.write(e.digit, out);
    } else if (e.kind == ElementKind::Slash) {
      out.append(blank_fraction ? u' ' : u'/');
    } else if (e.kind == ElementKind::FixedDenominator) {
      for (char16_t c : e.text) out.append(blank_fraction ? u' ' : c);
    } else if (e.kind == ElementKind::Digit && e.zone == Zone::Denominator) {
      // The denominator is left-aligned: its digits first, then the placeholders' padding.
      const bool last = ++den_index == static_cast<size_t>(s.denominator_digits);
      if (blank_fraction) {
        out.append(u' ');
      } else if (den_index <= den_text.size()) {
        out.append(static_cast<char16_t>(den_text[den_index - 1]));
        if (last)
          for (size_t k = den_index; k < den_text.size(); ++k) out.append(static_cast<char16_t>(den_text[k]));
      } else if (e.digit != u'#') {
        out.append(u' ');
      }
    }
  }
}

}  // namespace tabrel::numfmt
