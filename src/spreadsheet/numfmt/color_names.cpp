#include "spreadsheet/numfmt/color_names.h"

#include "spreadsheet/core/text.h"

namespace tabrel::numfmt {

namespace {

constexpr NamedColor kColors[kNamedColorCount] = {
    {u"Black", u"검정", 1},   {u"White", u"흰색", 2},  {u"Red", u"빨강", 3},     {u"Green", u"녹색", 4},
    {u"Blue", u"파랑", 5},    {u"Yellow", u"노랑", 6}, {u"Magenta", u"자홍", 7}, {u"Cyan", u"녹청", 8},
};

std::optional<int> palette_number(std::u16string_view digits) {
  if (digits.empty() || digits.size() > 2) return std::nullopt;
  int n = 0;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return std::nullopt;
    n = n * 10 + (c - u'0');
  }
  if (n < 1 || n > 56) return std::nullopt;
  return n;
}

}  // namespace

const NamedColor* named_colors() { return kColors; }

std::optional<int> color_from_bracket(std::u16string_view content) {
  for (const NamedColor& c : kColors)
    if (equals_ignore_case(content, c.english) || content == c.korean) return c.color_index;
  if (content.size() > 5 && equals_ignore_case(content.substr(0, 5), u"color")) return palette_number(content.substr(5));
  if (content.size() > 1 && content[0] == u'색') return palette_number(content.substr(1));
  return std::nullopt;
}

}  // namespace tabrel::numfmt
