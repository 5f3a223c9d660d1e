#include "spreadsheet/xls/write_condfmt.h"

#include <algorithm>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/xls/write_raw_records.h"

namespace tabrel::xls {
namespace {

// DXFN flag bits: the "ignore this part" bits for borders and fill, and the blocks present.
constexpr uint32_t kIgnoreEverything = 0x003FFFFF;
constexpr uint32_t kIgnoreLeft = 1u << 10, kIgnoreRight = 1u << 11, kIgnoreTop = 1u << 12,
                   kIgnoreBottom = 1u << 13;
constexpr uint32_t kIgnorePattern = 1u << 16, kIgnorePatternColor = 1u << 17,
                   kIgnoreBackgroundColor = 1u << 18;
constexpr uint32_t kHasFont = 1u << 26, kHasBorder = 1u << 28, kHasPattern = 1u << 29;
constexpr uint16_t kDxfnFlags2 = 0x0002;  // as the spreadsheet writes it
constexpr uint32_t kUnset = 0xFFFFFFFF;
constexpr uint32_t kItalic = 0x02, kStrikeout = 0x80, kOutlineShadow = 0x18;
constexpr size_t kFontNameBytes = 64;

// The font block, with the values the spreadsheet itself stores for the parts a rule leaves
// alone (the "ignore" words set, the outline and shadow styles always ignored). Bold and italic
// are one setting there (the font style): a rule that sets either sets both.
void font_block(biff::PayloadBuilder& p, const model::CondFont& f) {
  const bool style = f.bold || f.italic;
  for (size_t i = 0; i < kFontNameBytes; ++i) p.u8(0);
  p.u32(f.height ? *f.height : kUnset);
  p.u32((f.italic.value_or(false) ? kItalic : 0) | (f.strikeout.value_or(false) ? kStrikeout : 0));
  p.u16(style ? (f.bold.value_or(false) ? 700 : 400) : 0);
  p.u16(0);                                   // superscript/subscript: never set by a rule here
  p.u8(f.underline.value_or(0));
  p.u8(0);
  p.u16(0);
  p.u32(f.color ? *f.color : kUnset);
  p.u32(0);
  p.u32(kOutlineShadow | (style ? 0 : kItalic) | (f.strikeout ? 0 : kStrikeout));
  p.u32(1);                                   // script ignored
  p.u32(f.underline ? 0 : 1);
  p.u32(style ? 0 : 1);
  p.u32(1);
  p.u32(0);
  p.u32(0x7FFFFFFF);
  p.u16(1);
}

uint32_t line(const std::optional<model::BorderLine>& b) { return b ? static_cast<uint32_t>(b->style) & 0xF : 0; }
uint32_t color(const std::optional<model::BorderLine>& b) { return b ? b->color & 0x7Fu : 0; }

void border_block(biff::PayloadBuilder& p, const model::CondBorder& b) {
  p.u32(line(b.left) | (line(b.right) << 4) | (line(b.top) << 8) | (line(b.bottom) << 12) | (color(b.left) << 16) |
        (color(b.right) << 23));
  p.u32(color(b.top) | (color(b.bottom) << 7));
}

void pattern_block(biff::PayloadBuilder& p, const model::CondFill& f) {
  p.u16(static_cast<uint16_t>((f.pattern.value_or(0) & 0x3F) << 10));
  p.u16(static_cast<uint16_t>((f.pattern_color.value_or(0) & 0x7F) | ((f.background_color.value_or(0) & 0x7F) << 7)));
}

uint32_t dxfn_flags(const model::CondRule& rule) {
  if (!rule.font && !rule.border && !rule.fill) return 0;  // a rule that formats nothing
  uint32_t flags = kIgnoreEverything;
  if (rule.font) flags |= kHasFont;
  if (rule.border) {
    flags |= kHasBorder;
    if (rule.border->left) flags &= ~kIgnoreLeft;
    if (rule.border->right) flags &= ~kIgnoreRight;
    if (rule.border->top) flags &= ~kIgnoreTop;
    if (rule.border->bottom) flags &= ~kIgnoreBottom;
  }
  if (rule.fill) {
    flags |= kHasPattern;
    if (rule.fill->pattern) flags &= ~kIgnorePattern;
    if (rule.fill->pattern_color) flags &= ~kIgnorePatternColor;
    if (rule.fill->background_color) flags &= ~kIgnoreBackgroundColor;
  }
  return flags;
}

void ref8(biff::PayloadBuilder& p, const model::RangeRef& r) {
  p.u16(static_cast<uint16_t>(r.first.row));
  p.u16(static_cast<uint16_t>(r.last.row));
  p.u16(static_cast<uint16_t>(r.first.col));
  p.u16(static_cast<uint16_t>(r.last.col));
}

}  // namespace

biff::PayloadBuilder cf_payload(const model::CondRule& rule) {
  biff::PayloadBuilder p;
  p.u8(rule.type);
  p.u8(rule.op);
  p.u16(static_cast<uint16_t>(rule.formula1.size()));
  p.u16(static_cast<uint16_t>(rule.formula2.size()));
  const uint32_t flags = dxfn_flags(rule);
  p.u32(flags);
  p.u16(flags ? kDxfnFlags2 : 0);
  if (rule.font) font_block(p, *rule.font);
  if (rule.border) border_block(p, *rule.border);
  if (rule.fill) pattern_block(p, *rule.fill);
  p.bytes(rule.formula1);
  p.bytes(rule.formula2);
  return p;
}

biff::PayloadBuilder condfmt_payload(const model::CondFormat& format) {
  model::RangeRef bound = format.ranges.empty() ? model::RangeRef{} : format.ranges.front();
  for (const model::RangeRef& r : format.ranges) {
    bound.first.row = std::min(bound.first.row, r.first.row);
    bound.first.col = std::min(bound.first.col, r.first.col);
    bound.last.row = std::max(bound.last.row, r.last.row);
    bound.last.col = std::max(bound.last.col, r.last.col);
  }
  biff::PayloadBuilder p;
  const auto classic = std::count_if(format.rules.begin(), format.rules.end(),
                                     [](const model::CondRule& r) { return !r.from_cf12; });
  p.u16(static_cast<uint16_t>(classic));
  p.u16(static_cast<uint16_t>(format.id << 1));  // no forced recalculation; the id CFEX records name
  ref8(p, bound);
  p.u16(static_cast<uint16_t>(format.ranges.size()));
  for (const model::RangeRef& r : format.ranges) ref8(p, r);
  return p;
}

void write_conditional_formats(biff::RecordWriter& out, const std::vector<model::CondFormat>& formats) {
  for (const model::CondFormat& f : formats) {
    // A format of the newer kind holds only its CONDFMT12/CF12 records; CF12 rules of a classic
    // format are written back from their stored records too.
    const bool classic_rules = std::any_of(f.rules.begin(), f.rules.end(), [](const model::CondRule& r) { return !r.from_cf12; });
    if (!f.from_condfmt12 && (classic_rules || !f.ranges.empty())) {
      out.write(biff::rt::CondFmt, condfmt_payload(f));
      for (const model::CondRule& r : f.rules)
        if (!r.from_cf12) out.write(biff::rt::CF, cf_payload(r));
    }
    for (const model::RawRecord& r : f.extended) write_raw(out, r);
  }
}

}  // namespace tabrel::xls
