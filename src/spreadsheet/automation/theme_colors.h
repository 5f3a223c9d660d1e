#pragma once
// Theme colours as newer versions of the spreadsheet record them in macros (ThemeColor and
// TintAndShade). The file format keeps only palette colours, so a theme colour is worked out as
// RGB from the default theme and then stored as the nearest palette colour, as the spreadsheet
// does when it saves such a workbook in this format.

#include <cstdint>
#include <optional>

namespace tabrel::xl {

// RGB (red + green*256 + blue*65536) of xlThemeColorDark1 (1) .. xlThemeColorFollowedHyperlink
// (12) in the default theme; nullopt for other numbers.
std::optional<int32_t> theme_rgb(int theme_color);

// The colour made lighter (tint > 0, towards white) or darker (tint < 0, towards black) on its
// luminance, -1 <= tint <= 1.
int32_t tinted(int32_t rgb, double tint);

}  // namespace tabrel::xl
