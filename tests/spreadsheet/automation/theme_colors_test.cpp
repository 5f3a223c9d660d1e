#include <gtest/gtest.h>

#include "spreadsheet/automation/theme_colors.h"

namespace tabrel::xl {
namespace {

constexpr int32_t rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }

TEST(ThemeColorsTest, DefaultThemeAndTints) {
  EXPECT_EQ(theme_rgb(1), rgb(0xFF, 0xFF, 0xFF));  // xlThemeColorDark1: "Background 1"
  EXPECT_EQ(theme_rgb(2), rgb(0, 0, 0));           // xlThemeColorLight1: "Text 1"
  EXPECT_EQ(theme_rgb(5), rgb(0x4F, 0x81, 0xBD));  // Accent 1
  EXPECT_FALSE(theme_rgb(0));
  EXPECT_FALSE(theme_rgb(13));
  // The colour chooser's shades: white darker 15 %, Accent 1 lighter 80 % and darker 25 %.
  EXPECT_EQ(tinted(rgb(0xFF, 0xFF, 0xFF), -0.149998474074526), rgb(0xD9, 0xD9, 0xD9));
  EXPECT_EQ(tinted(rgb(0x4F, 0x81, 0xBD), 0.799981688894314), rgb(0xDC, 0xE6, 0xF1));
  EXPECT_EQ(tinted(rgb(0x4F, 0x81, 0xBD), -0.249977111117893), rgb(0x36, 0x60, 0x92));
  EXPECT_EQ(tinted(rgb(0x12, 0x34, 0x56), 0), rgb(0x12, 0x34, 0x56));
}

}  // namespace
}  // namespace tabrel::xl
