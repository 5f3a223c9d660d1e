#include "spreadsheet/automation/theme_colors.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tabrel::xl {
namespace {

constexpr int32_t rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }

// The default ("Office") theme: Background 1, Text 1, Background 2, Text 2, Accent 1..6,
// Hyperlink, Followed hyperlink, in the order of the xlThemeColor constants.
constexpr std::array<int32_t, 12> kTheme = {
    rgb(0xFF, 0xFF, 0xFF), rgb(0x00, 0x00, 0x00), rgb(0xEE, 0xEC, 0xE1), rgb(0x1F, 0x49, 0x7D),
    rgb(0x4F, 0x81, 0xBD), rgb(0xC0, 0x50, 0x4D), rgb(0x9B, 0xBB, 0x59), rgb(0x80, 0x64, 0xA2),
    rgb(0x4B, 0xAC, 0xC6), rgb(0xF7, 0x96, 0x46), rgb(0x00, 0x00, 0xFF), rgb(0x80, 0x00, 0x80),
};

struct Hsl {
  double h, s, l;
};

Hsl to_hsl(double r, double g, double b) {
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  Hsl out{0, 0, (mx + mn) / 2};
  const double d = mx - mn;
  if (d == 0) return out;
  out.s = out.l > 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
  if (mx == r) out.h = (g - b) / d + (g < b ? 6 : 0);
  else if (mx == g) out.h = (b - r) / d + 2;
  else out.h = (r - g) / d + 4;
  out.h /= 6;
  return out;
}

double hue_part(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 0.5) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

int channel(double v) { return std::clamp(static_cast<int>(std::lround(v * 255)), 0, 255); }

}  // namespace

std::optional<int32_t> theme_rgb(int theme_color) {
  if (theme_color < 1 || theme_color > static_cast<int>(kTheme.size())) return std::nullopt;
  return kTheme[static_cast<size_t>(theme_color - 1)];
}

int32_t tinted(int32_t color, double tint) {
  tint = std::clamp(tint, -1.0, 1.0);
  Hsl c = to_hsl((color & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, ((color >> 16) & 0xFF) / 255.0);
  c.l = tint < 0 ? c.l * (1 + tint) : c.l * (1 - tint) + tint;
  if (c.s == 0) {
    const int v = channel(c.l);
    return rgb(v, v, v);
  }
  const double q = c.l < 0.5 ? c.l * (1 + c.s) : c.l + c.s - c.l * c.s;
  const double p = 2 * c.l - q;
  return rgb(channel(hue_part(p, q, c.h + 1.0 / 3)), channel(hue_part(p, q, c.h)), channel(hue_part(p, q, c.h - 1.0 / 3)));
}

}  // namespace tabrel::xl
