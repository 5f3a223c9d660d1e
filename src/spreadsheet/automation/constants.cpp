#include "spreadsheet/automation/constants.h"

#include <array>
#include <cstdlib>
#include <utility>

namespace tabrel::xl {
namespace {

constexpr std::array<int, 8> kHorizontal = {1, -4131, -4108, -4152, 5, -4130, 7, -4117};
constexpr std::array<int, 5> kVertical = {-4160, -4108, -4107, -4130, -4117};

constexpr std::array<std::pair<uint8_t, int>, 5> kUnderline = {{
    {0x00, kXlNone}, {0x01, 2}, {0x02, -4119}, {0x21, 4}, {0x22, 5}}};

constexpr int kContinuous = 1, kDash = -4115, kDot = -4118, kDouble = -4119, kDashDot = 4, kDashDotDot = 5,
              kSlantDashDot = 13;
constexpr int kHairline = 1, kThin = 2, kMedium = -4138, kThick = 4;

constexpr std::array<LineLook, 14> kLines = {{
    {kXlNone, kThin},           // none
    {kContinuous, kThin},       // thin
    {kContinuous, kMedium},     // medium
    {kDash, kThin},             // dashed
    {kDot, kThin},              // dotted
    {kContinuous, kThick},      // thick
    {kDouble, kThick},          // double
    {kContinuous, kHairline},   // hair
    {kDash, kMedium},           // medium dashed
    {kDashDot, kThin},          // dash-dot
    {kDashDot, kMedium},        // medium dash-dot
    {kDashDotDot, kThin},       // dash-dot-dot
    {kDashDotDot, kMedium},     // medium dash-dot-dot
    {kSlantDashDot, kMedium},   // slanted dash-dot
}};

template <size_t N>
std::optional<uint8_t> code_of(const std::array<int, N>& table, int constant) {
  for (size_t i = 0; i < N; ++i)
    if (table[i] == constant) return static_cast<uint8_t>(i);
  return std::nullopt;
}

}  // namespace

int horizontal_alignment(uint8_t biff) { return biff < kHorizontal.size() ? kHorizontal[biff] : kHorizontal[0]; }
int vertical_alignment(uint8_t biff) { return biff < kVertical.size() ? kVertical[biff] : kVertical[2]; }
std::optional<uint8_t> horizontal_alignment_code(int constant) { return code_of(kHorizontal, constant); }
std::optional<uint8_t> vertical_alignment_code(int constant) { return code_of(kVertical, constant); }

int underline_style(uint8_t biff) {
  for (const auto& [code, constant] : kUnderline)
    if (code == biff) return constant;
  return kXlNone;
}

std::optional<uint8_t> underline_code(int constant) {
  if (constant == 1) return 0x01;  // True sets a single underline
  if (constant == 0) return 0x00;
  for (const auto& [code, value] : kUnderline)
    if (value == constant) return code;
  return std::nullopt;
}

int color_index(uint16_t palette_index) {
  if (palette_index < 8) return palette_index + 1;
  if (palette_index < 64) return palette_index - 7;
  return kXlAutomatic;
}

std::optional<uint16_t> palette_index(int index) {
  if (index >= 1 && index <= 56) return static_cast<uint16_t>(index + 7);
  if (index == kXlAutomatic || index == 0) return model::kAutomaticColor;
  return std::nullopt;
}

int32_t color_value(const model::Palette& palette, uint16_t index) {
  model::Rgb rgb;  // system colours: black text
  if (index < 8) rgb = palette[index];
  else if (index < 64) rgb = palette[index - 8];
  else if (index == model::kSystemBackground) rgb = {255, 255, 255};
  return rgb.r + rgb.g * 256 + rgb.b * 65536;
}

uint16_t nearest_palette_index(const model::Palette& palette, int32_t value) {
  const int r = value & 0xFF, g = (value >> 8) & 0xFF, b = (value >> 16) & 0xFF;
  size_t best = 0;
  long best_distance = -1;
  for (size_t i = 0; i < palette.size(); ++i) {
    const long d = std::labs(palette[i].r - r) * std::labs(palette[i].r - r) +
                   std::labs(palette[i].g - g) * std::labs(palette[i].g - g) +
                   std::labs(palette[i].b - b) * std::labs(palette[i].b - b);
    if (best_distance < 0 || d < best_distance) {
      best = i;
      best_distance = d;
    }
  }
  return static_cast<uint16_t>(best + 8);
}

LineLook line_look(model::LineStyle style) {
  const auto i = static_cast<size_t>(style);
  return i < kLines.size() ? kLines[i] : kLines[0];
}

std::optional<model::LineStyle> line_style_code(int line_style, int weight) {
  if (line_style == kXlNone) return model::LineStyle::None;
  for (size_t i = 1; i < kLines.size(); ++i)
    if (kLines[i].line_style == line_style && kLines[i].weight == weight) return static_cast<model::LineStyle>(i);
  // A style without that weight takes its thin form (or its only form).
  for (size_t i = 1; i < kLines.size(); ++i)
    if (kLines[i].line_style == line_style) return static_cast<model::LineStyle>(i);
  return std::nullopt;
}

}  // namespace tabrel::xl
