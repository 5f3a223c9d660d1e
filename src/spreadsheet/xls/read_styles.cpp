#include "spreadsheet/xls/read_styles.h"

#include <algorithm>

#include "spreadsheet/biff/record_cursor.h"
#include "spreadsheet/biff/strings.h"

namespace tabrel::xls {

namespace {

uint32_t bits(uint32_t word, int shift, int width) { return (word >> shift) & ((1u << width) - 1); }

model::BorderLine border(uint32_t style, uint32_t color) {
  return {static_cast<model::LineStyle>(std::min<uint32_t>(style, 13)), static_cast<uint16_t>(color)};
}

}  // namespace

model::Font read_font(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  model::Font f;
  f.height = c.u16();
  const uint16_t grbit = c.u16();
  f.italic = grbit & 0x0002;
  f.strikeout = grbit & 0x0008;
  f.outline = grbit & 0x0010;
  f.shadow = grbit & 0x0020;
  f.color = c.u16();
  f.weight = c.u16();
  f.script = c.u16();
  f.underline = c.u8();
  f.family = c.u8();
  f.charset = c.u8();
  c.skip(1);
  f.name = biff::read_short_string(c);
  return f;
}

model::NumberFormatRecord read_format(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  model::NumberFormatRecord f;
  f.id = c.u16();
  f.code = biff::read_string(c);
  return f;
}

model::Xf read_xf(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  model::Xf x;
  x.font = c.u16();
  x.format = c.u16();
  const uint16_t prot = c.u16();
  x.locked = prot & 0x0001;
  x.hidden = prot & 0x0002;
  x.is_style = prot & 0x0004;
  x.prefix_123 = prot & 0x0008;
  x.parent = prot >> 4;
  const uint8_t align = c.u8();
  x.horizontal = align & 0x07;
  x.wrap = align & 0x08;
  x.vertical = (align >> 4) & 0x07;
  x.justify_last = align & 0x80;
  x.rotation = c.u8();
  const uint8_t indent = c.u8();
  x.indent = indent & 0x0F;
  x.shrink = indent & 0x10;
  x.reading_order = (indent >> 6) & 0x03;
  x.used_attributes = c.u8() >> 2;
  const uint32_t b1 = c.u32();
  const uint32_t b2 = c.u32();
  const uint16_t fill = c.u16();
  x.left = border(bits(b1, 0, 4), bits(b1, 16, 7));
  x.right = border(bits(b1, 4, 4), bits(b1, 23, 7));
  x.top = border(bits(b1, 8, 4), bits(b2, 0, 7));
  x.bottom = border(bits(b1, 12, 4), bits(b2, 7, 7));
  x.diagonal = border(bits(b2, 21, 4), bits(b2, 14, 7));
  x.diagonal_down = bits(b1, 30, 1);
  x.diagonal_up = bits(b1, 31, 1);
  x.pattern = static_cast<uint8_t>(bits(b2, 26, 6));
  x.pattern_color = static_cast<uint16_t>(bits(fill, 0, 7));
  x.background_color = static_cast<uint16_t>(bits(fill, 7, 7));
  return x;
}

model::Style read_style(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  model::Style s;
  const uint16_t ixfe = c.u16();
  s.xf = ixfe & 0x0FFF;
  s.builtin = ixfe & 0x8000;
  if (s.builtin) {
    s.builtin_id = c.u8();
    s.outline_level = c.u8();
  } else {
    s.name = biff::read_string(c);
  }
  return s;
}

void read_palette(const biff::Record& rec, model::Styles& styles) {
  biff::RecordCursor c(rec);
  const uint16_t count = c.u16();
  for (size_t i = 0; i < count; ++i) {
    model::Rgb rgb;
    rgb.r = c.u8();
    rgb.g = c.u8();
    rgb.b = c.u8();
    c.skip(1);
    if (i < styles.palette.size()) styles.palette[i] = rgb;
  }
  styles.palette_custom = true;
}

}  // namespace tabrel::xls
