#include "runtime/numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "spreadsheet/core/text.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::rt {

double Val(std::u16string_view s) {
  std::string ascii;
  size_t i = 0;
  auto skip_blanks = [&] {
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t' || s[i] == u'\n' || s[i] == u'\r')) ++i;
  };
  skip_blanks();
  if (i + 1 < s.size() && s[i] == u'&' && (s[i + 1] == u'H' || s[i + 1] == u'h' || s[i + 1] == u'O' || s[i + 1] == u'o')) {
    int base = (s[i + 1] == u'H' || s[i + 1] == u'h') ? 16 : 8;
    i += 2;
    long long v = 0;
    for (; i < s.size(); ++i) {
      int d;
      char16_t c = s[i];
      if (c >= u'0' && c <= u'9') d = c - u'0';
      else if (base == 16 && c >= u'a' && c <= u'f') d = c - u'a' + 10;
      else if (base == 16 && c >= u'A' && c <= u'F') d = c - u'A' + 10;
      else break;
      if (d >= base) break;
      v = v * base + d;
      if (v > 0xFFFFFFFFLL) break;
    }
    return static_cast<double>(v);
  }
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii.push_back(static_cast<char>(s[i++]));
  bool dot = false, exp = false, digits = false;
  for (; i < s.size(); ++i) {
    char16_t c = s[i];
    if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') continue;
    if (c >= u'0' && c <= u'9') {
      ascii.push_back(static_cast<char>(c));
      digits = true;
    } else if (c == u'.' && !dot && !exp) {
      ascii.push_back('.');
      dot = true;
    } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && digits && !exp) {
      std::string save = ascii;
      ascii.push_back('e');
      size_t j = i + 1;
      if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) ascii.push_back(static_cast<char>(s[j++]));
      if (j < s.size() && s[j] >= u'0' && s[j] <= u'9') {
        exp = true;
        i = j - 1;
      } else {
        ascii = save;
        break;
      }
    } else {
      break;
    }
  }
  if (!digits) return 0;
  double d = std::strtod(ascii.c_str(), nullptr);
  return std::isfinite(d) ? d : 0;
}

std::u16string CStr(float f) { return single_to_string(f); }
std::u16string CStr(double d) { return double_to_string(d); }

std::u16string FormatFixed2(double x) {
  // Round on the 15-significant-digit decimal form, so that binary noise (1.005 is stored as
  // 1.00499999...) does not decide; the rounding itself is decimal, half away from zero.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(x));
  std::string text(buf);
  size_t e = text.find('e');
  int exp10 = std::atoi(text.c_str() + e + 1);
  std::string digits;
  for (size_t i = 0; i < e; ++i)
    if (text[i] >= '0' && text[i] <= '9') digits.push_back(text[i]);
  // digits = d0 d1 ... d14 with value d0.d1d2... x 10^exp10; keep those down to 10^-2.
  long keep = exp10 + 3;  // number of digits at or above the hundredths
  std::string kept;
  bool round_up = false;
  if (keep <= 0) {
    round_up = keep == 0 && digits[0] >= '5';
  } else {
    kept = digits.substr(0, static_cast<size_t>(std::min<long>(keep, 15)));
    if (keep < 15) round_up = digits[static_cast<size_t>(keep)] >= '5';
    while (static_cast<long>(kept.size()) < keep) kept.push_back('0');
  }
  // kept holds the value in hundredths as decimal digits; add one on round-up.
  if (kept.empty()) kept = "0";
  if (round_up) {
    int i = static_cast<int>(kept.size()) - 1;
    while (i >= 0 && kept[static_cast<size_t>(i)] == '9') kept[static_cast<size_t>(i--)] = '0';
    if (i < 0) kept.insert(kept.begin(), '1');
    else ++kept[static_cast<size_t>(i)];
  }
  while (kept.size() < 3) kept.insert(kept.begin(), '0');
  std::string out = kept.substr(0, kept.size() - 2) + "." + kept.substr(kept.size() - 2);
  bool zero = out.find_first_not_of("0.") == std::string::npos;
  if (x < 0 && !zero) out.insert(out.begin(), '-');
  return from_utf8(out);
}

bool IsNumeric(std::u16string_view s) { return parse_number(s).has_value(); }

}  // namespace tabrel::rt
