#include "spreadsheet/xls/read_condfmt.h"

#include <span>

#include "spreadsheet/biff/record_cursor.h"

namespace tabrel::xls {

namespace {

// Flags of the differential format (DXFN): a set "ninch" bit means "not changed".
constexpr uint32_t kLeftUnset = 1u << 10, kRightUnset = 1u << 11, kTopUnset = 1u << 12,
                   kBottomUnset = 1u << 13, kPatternUnset = 1u << 16, kForeUnset = 1u << 17,
                   kBackUnset = 1u << 18;
constexpr uint32_t kHasNumber = 1u << 25, kHasFont = 1u << 26, kHasAlignment = 1u << 27,
                   kHasBorder = 1u << 28, kHasPattern = 1u << 29, kHasProtection = 1u << 30;
constexpr uint16_t kUserNumberFormat = 0x0001;
constexpr size_t kFontBlockSize = 118;
constexpr uint32_t kUnsetWord = 0xFFFFFFFFu;
// A future record's header: its id, flags and a range.
constexpr size_t kFutureRecordHeader = 12;

uint32_t le32(std::span<const uint8_t> b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t le16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

model::CondFont read_font_block(std::span<const uint8_t> b) {
  model::CondFont f;
  const uint32_t height = le32(b, 64);
  const uint32_t style = le32(b, 68);
  const uint16_t weight = le16(b, 72);
  const uint8_t underline = b[76];
  const uint32_t color = le32(b, 80);
  const uint32_t style_unset = le32(b, 88);
  const uint32_t underline_unset = le32(b, 96);
  const uint32_t weight_unset = le32(b, 100);
  if (height != kUnsetWord) f.height = static_cast<uint16_t>(height);
  if (!(style_unset & 0x02)) f.italic = (style & 0x02) != 0;
  if (!(style_unset & 0x80)) f.strikeout = (style & 0x80) != 0;
  if (weight_unset == 0) f.bold = weight >= 700;
  if (underline_unset == 0) f.underline = underline;
  if (color != kUnsetWord) f.color = static_cast<uint16_t>(color);
  return f;
}

model::CondBorder read_border_block(biff::RecordCursor& c, uint32_t flags) {
  const uint32_t w1 = c.u32();
  const uint32_t w2 = c.u32();
  auto line = [](uint32_t style, uint32_t color) {
    return model::BorderLine{static_cast<model::LineStyle>(style > 13 ? 0 : style), static_cast<uint16_t>(color)};
  };
  model::CondBorder b;
  if (!(flags & kLeftUnset)) b.left = line(w1 & 0xF, (w1 >> 16) & 0x7F);
  if (!(flags & kRightUnset)) b.right = line((w1 >> 4) & 0xF, (w1 >> 23) & 0x7F);
  if (!(flags & kTopUnset)) b.top = line((w1 >> 8) & 0xF, w2 & 0x7F);
  if (!(flags & kBottomUnset)) b.bottom = line((w1 >> 12) & 0xF, (w2 >> 7) & 0x7F);
  return b;
}

model::CondFill read_pattern_block(biff::RecordCursor& c, uint32_t flags) {
  const uint16_t w1 = c.u16();
  const uint16_t w2 = c.u16();
  model::CondFill f;
  if (!(flags & kPatternUnset)) f.pattern = static_cast<uint8_t>(w1 >> 10);
  if (!(flags & kForeUnset)) f.pattern_color = w2 & 0x7F;
  if (!(flags & kBackUnset)) f.background_color = (w2 >> 7) & 0x7F;
  return f;
}

// CONDFMT and CONDFMT12 share this body: rule count, recalculation flag and id, the bounding
// range, the ranges.
model::CondFormat read_condfmt_body(biff::RecordCursor& c) {
  model::CondFormat cf;
  c.skip(2);  // rule count: the rules are counted as they come
  cf.id = static_cast<uint16_t>(c.u16() >> 1);
  c.skip(8);  // bounding range
  const uint16_t count = c.u16();
  if (static_cast<size_t>(count) * 8 > c.remaining()) c.fail("CONDFMT: more ranges than bytes");
  for (uint16_t i = 0; i < count; ++i) {
    model::RangeRef r;
    r.first.row = c.u16();
    r.last.row = c.u16();
    r.first.col = c.u16();
    r.last.col = c.u16();
    cf.ranges.push_back(r);
  }
  return cf;
}

// The differential format (DXFN): which parts the rule sets, then a block for each.
void read_dxfn(biff::RecordCursor& c, model::CondRule& r) {
  const uint32_t flags = c.u32();
  const uint16_t flags2 = c.u16();
  if (flags & kHasNumber) {
    if (flags2 & kUserNumberFormat) {
      const uint16_t size = c.u16();
      if (size < 2) c.fail("CF: number format block too short");
      c.skip(size - 2);
    } else {
      c.skip(1);
      r.number_format = c.u8();
    }
  }
  if (flags & kHasFont) r.font = read_font_block(c.bytes(kFontBlockSize));
  if (flags & kHasAlignment) c.skip(8);
  if (flags & kHasBorder) r.border = read_border_block(c, flags);
  if (flags & kHasPattern) r.fill = read_pattern_block(c, flags);
  if (flags & kHasProtection) c.skip(2);
}

void read_formulas(biff::RecordCursor& c, uint16_t cce1, uint16_t cce2, model::CondRule& r) {
  auto f1 = c.bytes(cce1);
  r.formula1.assign(f1.begin(), f1.end());
  auto f2 = c.bytes(cce2);
  r.formula2.assign(f2.begin(), f2.end());
}

}  // namespace

model::CondFormat read_condfmt(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  return read_condfmt_body(c);
}

model::CondFormat read_condfmt12(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  c.skip(kFutureRecordHeader);
  model::CondFormat cf = read_condfmt_body(c);
  cf.from_condfmt12 = true;
  return cf;
}

model::CondRule read_cf(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  model::CondRule r;
  r.type = c.u8();
  r.op = c.u8();
  const uint16_t cce1 = c.u16();
  const uint16_t cce2 = c.u16();
  read_dxfn(c, r);
  read_formulas(c, cce1, cce2, r);
  return r;
}

model::CondRule read_cf12(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  c.skip(kFutureRecordHeader);
  model::CondRule r;
  r.from_cf12 = true;
  r.type = c.u8();
  r.op = c.u8();
  const uint16_t cce1 = c.u16();
  const uint16_t cce2 = c.u16();
  // DXFN12: the size of the differential format and its extension, then both; no format at all
  // leaves two reserved bytes.
  const uint32_t format_size = c.u32();
  if (format_size == 0) {
    c.skip(2);
  } else {
    if (format_size > c.remaining()) c.fail("CF12: differential format runs past the record");
    const size_t start = c.position();
    read_dxfn(c, r);
    if (c.position() - start > format_size) c.fail("CF12: differential format longer than its size");
    c.seek(start + format_size);
  }
  read_formulas(c, cce1, cce2, r);
  c.skip(c.u16());  // the formula that makes the rule active
  c.skip(1);        // stop-if-true and other flags
  r.priority = c.u16();
  r.template_kind = c.u16();
  return r;  // template parameters and the colour scale, data bar, filter or icon set follow
}

CondExtension read_cfex(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  c.skip(kFutureRecordHeader);
  CondExtension e;
  e.precedes_cf12 = c.u32() != 0;
  e.format_id = c.u16();
  if (e.precedes_cf12) return e;
  e.rule = c.u16();
  c.skip(1);  // comparison, as the classic rule has it
  e.template_kind = c.u8();
  e.priority = c.u16();
  return e;
}

}  // namespace tabrel::xls
