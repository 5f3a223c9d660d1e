#include "spreadsheet/numfmt/dbnum.h"

namespace tabrel::numfmt {

namespace {

struct NumeralSystem {
  std::u16string_view digits;       // 0..9
  std::u16string_view small_units;  // 10, 100, 1000
  std::u16string_view big_units;    // 10^4, 10^8, 10^12, 10^16
};

constexpr NumeralSystem kSystems[4] = {
    {u"〇一二三四五六七八九", u"十百千", u"萬億兆京"},
    {u"零壹貳參四伍六七八九", u"拾百阡", u"萬億兆京"},
    {u"０１２３４５６７８９", u"十百千", u"萬億兆京"},
    {u"영일이삼사오육칠팔구", u"십백천", u"만억조경"},
};

const NumeralSystem& system_of(int system) { return kSystems[(system >= 1 && system <= 4 ? system : 1) - 1]; }

}  // namespace

std::u16string dbnum_digits(std::u16string_view text, int system) {
  const NumeralSystem& s = system_of(system);
  std::u16string out;
  for (char16_t c : text) out.push_back(c >= u'0' && c <= u'9' ? s.digits[static_cast<size_t>(c - u'0')] : c);
  return out;
}

std::u16string dbnum_positional(std::string_view digits, int system) {
  const NumeralSystem& s = system_of(system);
  if (digits.empty() || digits == "0") return std::u16string(1, s.digits[0]);
  if (digits.size() > 20) return dbnum_digits(std::u16string(digits.begin(), digits.end()), system);
  std::u16string out;
  const size_t n = digits.size();
  bool group_has_digit = false;
  for (size_t i = 0; i < n; ++i) {
    size_t pos = n - 1 - i;  // power of ten of this digit
    int d = digits[i] - '0';
    size_t small = pos % 4, big = pos / 4;
    if (d != 0) {
      // The digit one is left out before the small units (십, 백, 천), as they are read.
      if (d != 1 || small == 0) out.push_back(s.digits[static_cast<size_t>(d)]);
      if (small > 0) out.push_back(s.small_units[small - 1]);
      group_has_digit = true;
    }
    if (small == 0) {
      if (big > 0 && group_has_digit) out.push_back(s.big_units[big - 1]);
      group_has_digit = false;
    }
  }
  return out;
}

}  // namespace tabrel::numfmt
