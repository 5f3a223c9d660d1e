#include <gtest/gtest.h>

#include "spreadsheet/layout/font_metrics.h"

namespace tabrel::layout {
namespace {

TEST(FontMetrics, MaximumDigitWidths) {
  struct Case {
    const char16_t* name;
    double size;
    int mdw;
  };
  for (const Case& c : std::initializer_list<Case>{
           {u"Arial", 10, 7}, {u"Calibri", 11, 7}, {u"Times New Roman", 10, 7}, {u"돋움", 11, 9},
           {u"굴림", 11, 9},  {u"굴림", 10, 8},    {u"맑은 고딕", 11, 8},      {u"바탕", 11, 9},
           {u"궁서", 11, 9},  {u"GULIM", 11, 9},   {u"Unknown Font", 11, 9},
       }) {
    EXPECT_EQ(FontMetrics(FontSpec{c.name, c.size}).max_digit_width(), c.mdw) << c.size;
  }
}

TEST(FontMetrics, HangulIsOneEmAndLatinIsProportional) {
  FontMetrics gulim(FontSpec{u"굴림", 11});
  EXPECT_EQ(gulim.advance(u'가'), 15);
  EXPECT_EQ(gulim.text_width(u"합계"), 30);
  FontMetrics arial(FontSpec{u"Arial", 10});
  EXPECT_EQ(arial.advance(u'#'), 7);
  EXPECT_EQ(arial.advance(u' '), 4);
  EXPECT_LT(arial.advance(u'i'), arial.advance(u'W'));
  EXPECT_EQ(arial.advance(u'한'), 13);  // Hangul falls back to a full-width face
  EXPECT_EQ(arial.text_width(u"😀"), 13);  // a surrogate pair counts once
}

}  // namespace
}  // namespace tabrel::layout
