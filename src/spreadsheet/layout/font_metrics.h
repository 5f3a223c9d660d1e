#pragma once
// Advance widths of the common Korean and Latin fonts, in pixels at 96 dpi, approximated from
// the fonts' published metrics: ASCII glyphs per font, and full-width Hangul, CJK and other
// wide characters at one em. Unknown fonts measure as 굴림.

#include <string>
#include <string_view>

namespace tabrel::layout {

struct FontSpec {
  std::u16string name = u"굴림";
  double size_pt = 11;
};

class FontMetrics {
 public:
  explicit FontMetrics(const FontSpec& font);

  // Advance of one UTF-16 unit in pixels (the second half of a surrogate pair counts 0).
  double advance(char16_t c) const;
  double text_width(std::u16string_view text) const;
  // The widest of the digits 0-9 in whole pixels: the unit of column widths.
  int max_digit_width() const { return max_digit_width_; }

 private:
  const unsigned short* ascii_;  // 1/1000 em for U+0020..U+007E
  double ppem_;
  // Advances in pixels of the characters most texts are made of.
  double digit_px_;  // each of 0-9
  double wide_px_;   // one em
  double other_px_;  // as wide as a lower-case o
  int max_digit_width_;
};

}  // namespace tabrel::layout
