#include "spreadsheet/layout/font_metrics.h"

#include <cmath>
#include <cstdint>

#include "spreadsheet/core/text.h"

namespace tabrel::layout {

namespace {

using Widths = unsigned short[95];  // U+0020 .. U+007E in 1/1000 em

// Sans-serif (Arial and its metric twins).
constexpr Widths kArial = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // ' '../
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,                                // 0..9
    278, 278, 584, 584, 584, 556, 1015,                                              // :..@
    667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833,                 // A..M
    722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611,                 // N..Z
    278, 278, 278, 469, 556, 333,                                                    // [..`
    556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833,                 // a..m
    556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500,                 // n..z
    334, 260, 334, 584};                                                             // {..~

// Serif (Times New Roman).
constexpr Widths kTimes = {
    250, 333, 408, 500, 500, 833, 778, 180, 333, 333, 500, 564, 250, 333, 250, 278,
    500, 500, 500, 500, 500, 500, 500, 500, 500, 500,
    278, 278, 564, 564, 564, 444, 921,
    722, 667, 667, 722, 611, 556, 722, 722, 333, 389, 722, 611, 889,
    722, 722, 556, 722, 667, 556, 611, 722, 722, 944, 722, 722, 611,
    333, 278, 333, 469, 500, 333,
    444, 500, 444, 500, 444, 333, 500, 500, 278, 278, 500, 278, 778,
    500, 500, 500, 500, 333, 389, 278, 500, 500, 722, 500, 500, 444,
    480, 200, 480, 541};

// Calibri.
constexpr Widths kCalibri = {
    226, 326, 401, 498, 507, 715, 682, 221, 303, 303, 498, 498, 250, 306, 252, 386,
    507, 507, 507, 507, 507, 507, 507, 507, 507, 507,
    268, 268, 498, 498, 498, 463, 894,
    579, 544, 533, 615, 488, 459, 631, 623, 252, 319, 520, 420, 855,
    646, 662, 517, 673, 543, 459, 487, 642, 567, 890, 519, 487, 468,
    324, 386, 324, 498, 498, 291,
    479, 525, 423, 525, 498, 305, 471, 525, 229, 239, 455, 229, 799,
    525, 527, 525, 525, 349, 391, 335, 525, 452, 715, 433, 453, 395,
    314, 460, 314, 498};

// Korean gothic faces: proportional Latin; digits are set per family below.
constexpr Widths kKoreanGothic = {
    300, 300, 380, 550, 550, 880, 660, 200, 330, 330, 400, 580, 300, 330, 300, 330,
    550, 550, 550, 550, 550, 550, 550, 550, 550, 550,
    300, 300, 580, 580, 580, 550, 1000,
    660, 660, 720, 720, 660, 610, 770, 720, 280, 500, 660, 550, 830,
    720, 770, 660, 770, 720, 660, 610, 720, 660, 940, 660, 660, 610,
    330, 500, 330, 500, 550, 330,
    550, 550, 500, 550, 550, 300, 550, 550, 230, 230, 500, 230, 830,
    550, 550, 550, 550, 330, 500, 300, 550, 500, 720, 500, 500, 500,
    330, 260, 330, 580};

// A family: its ASCII widths and the advance of its digits (1/1000 em). The legacy Korean
// faces draw digits at 0.6 em, so that 돋움 11 has a maximum digit width of 9 pixels and a
// standard column of 8.11 characters; 맑은 고딕 11 has 8 pixels and 8.38 characters.
struct Family {
  std::u16string_view name;
  const Widths* widths;
  unsigned short digit;
};

constexpr Family kFamilies[] = {
    {u"굴림", &kKoreanGothic, 600},  {u"gulim", &kKoreanGothic, 600}, {u"굴림체", &kKoreanGothic, 600},
    {u"돋움", &kKoreanGothic, 600},  {u"dotum", &kKoreanGothic, 600}, {u"돋움체", &kKoreanGothic, 600},
    {u"바탕", &kTimes, 600},         {u"batang", &kTimes, 600},       {u"바탕체", &kTimes, 600},
    {u"궁서", &kTimes, 600},         {u"gungsuh", &kTimes, 600},      {u"궁서체", &kTimes, 600},
    {u"맑은 고딕", &kKoreanGothic, 550}, {u"malgun gothic", &kKoreanGothic, 550},
    {u"arial", &kArial, 556},        {u"times new roman", &kTimes, 500}, {u"calibri", &kCalibri, 507},
};

const Family& family_of(std::u16string_view name) {
  for (const Family& f : kFamilies)
    if (equals_ignore_case(name, f.name)) return f;
  return kFamilies[0];
}

// std::round of a width, which is never negative, without a call into the maths library: the
// whole part is exact and so is what remains of the width.
double round_width(double w) {
  const auto whole = static_cast<double>(static_cast<int64_t>(w));
  return w - whole >= 0.5 ? whole + 1 : whole;
}

// Characters drawn one em wide: Hangul, CJK, kana, full-width forms and symbols.
bool is_wide(char16_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6);
}

}  // namespace

FontMetrics::FontMetrics(const FontSpec& font)
    : ascii_(*family_of(font.name).widths),
      ppem_((font.size_pt > 0 && font.size_pt < 1000 ? font.size_pt : 11) * 96.0 / 72.0),
      digit_px_(std::round(family_of(font.name).digit * ppem_ / 1000.0)),
      wide_px_(std::round(ppem_)),
      other_px_(std::round(ascii_['o' - 0x20] * ppem_ / 1000.0)),
      max_digit_width_(static_cast<int>(std::lround(digit_px_))) {}

double FontMetrics::advance(char16_t c) const {
  if (c >= u'0' && c <= u'9') return digit_px_;
  if (c >= 0x20 && c <= 0x7E) return round_width(ascii_[c - 0x20] * ppem_ / 1000.0);
  if (c >= 0xDC00 && c <= 0xDFFF) return 0;
  if (is_wide(c) || (c >= 0xD800 && c <= 0xDBFF)) return wide_px_;
  // Other Latin-script letters and signs.
  return other_px_;
}

double FontMetrics::text_width(std::u16string_view text) const {
  double w = 0;
  for (char16_t c : text) w += advance(c);
  return w;
}

}  // namespace tabrel::layout
