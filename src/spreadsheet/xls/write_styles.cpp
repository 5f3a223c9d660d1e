#include "spreadsheet/xls/write_styles.h"

#include <algorithm>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/strings.h"

namespace tabrel::xls {
namespace {

constexpr uint16_t kStyleParent = 0x0FFF;

// The default XFs: font, number format, and the XF_USED_ATTRIB flags (bit 0 number format ..
// bit 5 protection; for a style XF a set flag means the style leaves that attribute alone).
struct DefaultXf {
  uint16_t font;
  uint16_t format;
  uint8_t used;
};
constexpr DefaultXf kDefaultXfs[kDefaultXfCount] = {
    {0, 0, 0x00},  {1, 0, 0x3D},  {1, 0, 0x3D},  {2, 0, 0x3D},  {2, 0, 0x3D},  {0, 0, 0x3D},
    {0, 0, 0x3D},  {0, 0, 0x3D},  {0, 0, 0x3D},  {0, 0, 0x3D},  {0, 0, 0x3D},  {0, 0, 0x3D},
    {0, 0, 0x3D},  {0, 0, 0x3D},  {0, 0, 0x3D},  {0, 0, 0x00},  {1, 43, 0x3E}, {1, 41, 0x3E},
    {1, 44, 0x3E}, {1, 42, 0x3E}, {1, 9, 0x3E},
};

// XF index and built-in style id of the styles every file names.
struct DefaultStyle {
  uint16_t xf;
  uint8_t id;
};
constexpr DefaultStyle kDefaultStyles[] = {{0, 0}, {16, 3}, {17, 6}, {18, 4}, {19, 7}, {20, 5}};

model::Xf default_xf(size_t index) {
  const DefaultXf& d = kDefaultXfs[index];
  model::Xf xf;
  xf.font = d.font;
  xf.format = d.format;
  xf.is_style = index != kDefaultCellXf;
  xf.parent = xf.is_style ? kStyleParent : 0;
  xf.used_attributes = d.used;
  for (model::BorderLine* b : {&xf.left, &xf.right, &xf.top, &xf.bottom, &xf.diagonal}) b->color = 0;
  return xf;
}

uint8_t line(const model::BorderLine& b) { return static_cast<uint8_t>(b.style) & 0x0F; }
uint32_t icv(uint16_t color) { return color & 0x7Fu; }

}  // namespace

model::Styles completed_styles(const model::Styles& styles) {
  model::Styles out = styles;
  const model::Font first = out.fonts.empty() ? model::Font{} : out.fonts.front();
  while (out.fonts.size() < 4) out.fonts.push_back(first);
  for (size_t i = out.xfs.size(); i < kDefaultXfCount; ++i) out.xfs.push_back(default_xf(i));
  if (out.styles.empty()) {
    for (const DefaultStyle& s : kDefaultStyles) {
      model::Style style;
      style.xf = s.xf;
      if (s.xf > kDefaultCellXf && !out.xfs[s.xf].is_style) {  // cell formats stand where these go
        style.xf = static_cast<uint16_t>(out.xfs.size());
        out.xfs.push_back(default_xf(s.xf));
      }
      style.builtin = true;
      style.builtin_id = s.id;
      out.styles.push_back(style);
    }
  }
  return out;
}

biff::PayloadBuilder font_payload(const model::Font& font) {
  biff::PayloadBuilder p;
  p.u16(font.height);
  p.u16(static_cast<uint16_t>((font.italic ? 0x02 : 0) | (font.strikeout ? 0x08 : 0) |
                              (font.outline ? 0x10 : 0) | (font.shadow ? 0x20 : 0)));
  p.u16(font.color);
  p.u16(font.weight);
  p.u16(font.script);
  p.u8(font.underline);
  p.u8(font.family);
  p.u8(font.charset);
  p.u8(0);
  biff::append_short_string(p, std::u16string_view(font.name).substr(0, 255));
  return p;
}

biff::PayloadBuilder xf_payload(const model::Xf& xf) {
  biff::PayloadBuilder p;
  p.u16(xf.font);
  p.u16(xf.format);
  const uint16_t parent = xf.is_style ? kStyleParent : (xf.parent & 0x0FFF);
  p.u16(static_cast<uint16_t>((xf.locked ? 0x1 : 0) | (xf.hidden ? 0x2 : 0) |
                              (xf.is_style ? 0x4 : 0) | (xf.prefix_123 ? 0x8 : 0) | (parent << 4)));
  p.u8(static_cast<uint8_t>((xf.horizontal & 0x7) | (xf.wrap ? 0x08 : 0) |
                            ((xf.vertical & 0x7) << 4) | (xf.justify_last ? 0x80 : 0)));
  p.u8(xf.rotation);
  p.u8(static_cast<uint8_t>((xf.indent & 0x0F) | (xf.shrink ? 0x10 : 0) |
                            ((xf.reading_order & 0x3) << 6)));
  p.u8(static_cast<uint8_t>((xf.used_attributes & 0x3F) << 2));
  const uint32_t diagonal = (xf.diagonal_down ? 1u : 0u) | (xf.diagonal_up ? 2u : 0u);
  p.u32(line(xf.left) | (line(xf.right) << 4) | (line(xf.top) << 8) | (line(xf.bottom) << 12) |
        (icv(xf.left.color) << 16) | (icv(xf.right.color) << 23) | (diagonal << 30));
  p.u32(icv(xf.top.color) | (icv(xf.bottom.color) << 7) | (icv(xf.diagonal.color) << 14) |
        (static_cast<uint32_t>(line(xf.diagonal)) << 21) |
        (static_cast<uint32_t>(xf.pattern & 0x3F) << 26));
  p.u16(static_cast<uint16_t>(icv(xf.pattern_color) | (icv(xf.background_color) << 7)));
  return p;
}

biff::PayloadBuilder style_payload(const model::Style& style) {
  biff::PayloadBuilder p;
  p.u16(static_cast<uint16_t>((style.xf & 0x0FFF) | (style.builtin ? 0x8000 : 0)));
  if (style.builtin) {
    p.u8(style.builtin_id);
    p.u8(style.outline_level);
  } else {
    biff::append_string(p, style.name);
  }
  return p;
}

void write_styles(biff::RecordWriter& out, const model::Styles& styles) {
  for (const model::Font& f : styles.fonts) out.write(biff::rt::Font, font_payload(f));
  for (const model::NumberFormatRecord& f : styles.formats) {
    biff::PayloadBuilder p;
    p.u16(f.id);
    biff::append_string(p, f.code);
    out.write(biff::rt::Format, p);
  }
  for (const model::Xf& xf : styles.xfs) out.write(biff::rt::XF, xf_payload(xf));
  for (const model::Style& s : styles.styles) out.write(biff::rt::Style, style_payload(s));
  if (styles.palette_custom) {
    biff::PayloadBuilder p;
    p.u16(static_cast<uint16_t>(styles.palette.size()));
    for (const model::Rgb& c : styles.palette) {
      p.u8(c.r);
      p.u8(c.g);
      p.u8(c.b);
      p.u8(0);
    }
    out.write(biff::rt::Palette, p);
  }
}

}  // namespace tabrel::xls
