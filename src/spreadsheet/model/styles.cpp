#include "spreadsheet/model/styles.h"

#include <algorithm>

namespace tabrel::model {

const Palette& default_palette() {
  static const Palette kPalette = [] {
    static const uint32_t kRgb[56] = {
        0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
        0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
        0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
        0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
        0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
        0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
        0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
    };
    Palette p;
    for (size_t i = 0; i < 56; ++i)
      p[i] = Rgb{static_cast<uint8_t>(kRgb[i] >> 16), static_cast<uint8_t>(kRgb[i] >> 8), static_cast<uint8_t>(kRgb[i])};
    return p;
  }();
  return kPalette;
}

const Font* Styles::font(uint16_t biff_index) const {
  if (biff_index == 4) return nullptr;
  size_t i = biff_index < 4 ? biff_index : biff_index - 1u;
  return i < fonts.size() ? &fonts[i] : nullptr;
}

const std::u16string* Styles::custom_format(uint16_t id) const {
  for (const auto& f : formats)
    if (f.id == id) return &f.code;
  return nullptr;
}

uint16_t Styles::intern_font(const Font& f) {
  for (size_t i = 0; i < fonts.size(); ++i)
    if (fonts[i] == f) return biff_font_index(i);
  fonts.push_back(f);
  return biff_font_index(fonts.size() - 1);
}

uint16_t Styles::intern_xf(const Xf& xf) {
  for (size_t i = 0; i < xfs.size(); ++i)
    if (xfs[i] == xf) return static_cast<uint16_t>(i);
  xfs.push_back(xf);
  return static_cast<uint16_t>(xfs.size() - 1);
}

uint16_t Styles::intern_format(const std::u16string& code) {
  uint16_t next = 164;
  for (const auto& f : formats) {
    if (f.code == code) return f.id;
    next = std::max<uint16_t>(next, static_cast<uint16_t>(f.id + 1));
  }
  formats.push_back({next, code});
  return next;
}

}  // namespace tabrel::model
