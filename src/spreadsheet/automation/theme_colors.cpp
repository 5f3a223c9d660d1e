#include "spreadsheet/automation/theme_colors.h"

#include <algorithm>
#include <array>

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

// Hue, luminance and saturation on the integer scale of 0..240 that the desktop's colour
// chooser works in; tints are taken on this scale, so its roundings decide the last digit.
constexpr int kScale = 240, kMaxChannel = 255;

struct Hls {
  int h = 0, l = 0, s = 0;
};

Hls to_hls(int r, int g, int b) {
  const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
  Hls out;
  out.l = ((mx + mn) * kScale + kMaxChannel) / (2 * kMaxChannel);
  if (mx == mn) {
    out.h = kScale * 2 / 3;
    return out;
  }
  const int sum = mx + mn, spread = mx - mn;
  out.s = out.l <= kScale / 2 ? (spread * kScale + sum / 2) / sum
                              : (spread * kScale + (2 * kMaxChannel - sum) / 2) / (2 * kMaxChannel - sum);
  auto delta = [&](int c) { return ((mx - c) * (kScale / 6) + spread / 2) / spread; };
  if (r == mx) out.h = delta(b) - delta(g);
  else if (g == mx) out.h = kScale / 3 + delta(r) - delta(b);
  else out.h = 2 * kScale / 3 + delta(g) - delta(r);
  if (out.h < 0) out.h += kScale;
  if (out.h > kScale) out.h -= kScale;
  return out;
}

int hue_part(int n1, int n2, int hue) {
  if (hue < 0) hue += kScale;
  if (hue > kScale) hue -= kScale;
  if (hue < kScale / 6) return n1 + ((n2 - n1) * hue + kScale / 12) / (kScale / 6);
  if (hue < kScale / 2) return n2;
  if (hue < kScale * 2 / 3) return n1 + ((n2 - n1) * (kScale * 2 / 3 - hue) + kScale / 12) / (kScale / 6);
  return n1;
}

int channel(int scaled) { return std::clamp((scaled * kMaxChannel + kScale / 2) / kScale, 0, kMaxChannel); }

}  // namespace

std::optional<int32_t> theme_rgb(int theme_color) {
  if (theme_color < 1 || theme_color > static_cast<int>(kTheme.size())) return std::nullopt;
  return kTheme[static_cast<size_t>(theme_color - 1)];
}

int32_t tinted(int32_t color, double tint) {
  tint = std::clamp(tint, -1.0, 1.0);
  Hls c = to_hls(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  const double l = tint < 0 ? c.l * (1 + tint) : c.l * (1 - tint) + kScale * tint;
  c.l = std::clamp(static_cast<int>(l), 0, kScale);
  if (c.s == 0) {
    const int v = channel(c.l);
    return rgb(v, v, v);
  }
  const int n2 = c.l <= kScale / 2 ? (c.l * (kScale + c.s) + kScale / 2) / kScale
                                   : c.l + c.s - (c.l * c.s + kScale / 2) / kScale;
  const int n1 = 2 * c.l - n2;
  return rgb(channel(hue_part(n1, n2, c.h + kScale / 3)), channel(hue_part(n1, n2, c.h)),
             channel(hue_part(n1, n2, c.h - kScale / 3)));
}

}  // namespace tabrel::xl
