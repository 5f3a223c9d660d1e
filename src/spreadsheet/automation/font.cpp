#include "spreadsheet/automation/font.h"

#include <array>
#include <cmath>
#include <vector>

#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/constants.h"
#include "spreadsheet/automation/theme_colors.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/fold.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/ops/cell_format.h"

namespace tabrel::xl {
namespace {

constexpr double kMinFontSize = 1;
constexpr double kMaxFontSize = 409;
constexpr uint16_t kBoldWeight = 700;
constexpr uint16_t kNormalWeight = 400;

const model::Font& font_or_default(const model::Workbook& wb, uint16_t index) {
  static const model::Font fallback;
  const model::Font* f = wb.styles.font(index);
  return f ? *f : fallback;
}

// The fonts that the characters of a cell show: the cell's font, and for a text with
// formatting runs the font of every run that covers a character.
std::vector<const model::Font*> cell_fonts(const model::Workbook& wb, const model::Sheet& sheet, model::CellRef at) {
  const model::Font& base = font_or_default(wb, ops::effective_format(wb, sheet, at).font);
  const model::Cell* cell = sheet.cells.find(at);
  if (!cell || !cell->value.is_text() || cell->value.as_rich().runs.empty()) return {&base};
  const model::RichText& text = cell->value.as_rich();
  const size_t length = text.text.size();
  std::vector<const model::Font*> fonts;
  if (text.runs.front().first_char > 0) fonts.push_back(&base);
  for (size_t i = 0; i < text.runs.size(); ++i) {
    const size_t start = text.runs[i].first_char;
    const size_t end = i + 1 < text.runs.size() ? text.runs[i + 1].first_char : length;
    if (start < end && start < length) fonts.push_back(&font_or_default(wb, text.runs[i].font));
  }
  if (fonts.empty()) fonts.push_back(&base);
  return fonts;
}

}  // namespace

Font::Font(SheetHandle sheet, model::RangeRef area) : sheet_(std::move(sheet)), area_(area) {}

Variant Font::read(const std::function<Variant(const model::Font&)>& property) const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_cells(area_, [&](model::CellRef at) {
    Uniform runs;
    for (const model::Font* f : cell_fonts(wb, sheet, at)) runs.add(property(*f));
    return runs.result();
  });
}

void Font::write(const std::function<void(model::Font&)>& change) {
  model::Sheet& sheet = sheet_.get();
  model::Workbook& wb = sheet_.workbook();
  auto restyle = [&](uint16_t index) {
    model::Font f = font_or_default(wb, index);
    change(f);
    return wb.styles.intern_font(f);
  };
  ops::change_format(wb, sheet, area_, [&](model::Xf& xf) { xf.font = restyle(xf.font); });
  // Formatting runs of texts take the change as well, as the whole cell was formatted.
  std::vector<model::CellRef> rich;
  for (const auto& [key, cell] : sheet.cells) {
    const model::CellRef at = model::CellStore::position(key);
    if (area_.contains(at) && cell.value.is_text() && !cell.value.as_rich().runs.empty()) rich.push_back(at);
  }
  for (const model::CellRef at : rich) {
    model::Cell& cell = *sheet.cells.find(at);
    model::RichText text = cell.value.as_rich();
    for (auto& run : text.runs) run.font = restyle(run.font);
    cell.value = model::CellValue::rich(std::move(text));
  }
}

Variant Font::Name() const { return read([](const model::Font& f) { return Variant(f.name); }); }
void Font::SetName(const Variant& value) {
  const std::u16string name = value.to_string();
  write([&](model::Font& f) { f.name = name; });
}

Variant Font::Size() const { return read([](const model::Font& f) { return Variant(f.height / 20.0); }); }
void Font::SetSize(const Variant& value) {
  const double points = value.to_double();
  if (points < kMinFontSize || points > kMaxFontSize) raise(Fault::MethodFailed);
  write([&](model::Font& f) { f.height = static_cast<uint16_t>(std::lround(points * 20)); });
}

Variant Font::Bold() const { return read([](const model::Font& f) { return Variant(f.bold()); }); }
void Font::SetBold(const Variant& value) {
  const bool bold = value.to_bool();
  write([&](model::Font& f) { f.weight = bold ? kBoldWeight : kNormalWeight; });
}

Variant Font::Italic() const { return read([](const model::Font& f) { return Variant(f.italic); }); }
void Font::SetItalic(const Variant& value) {
  const bool italic = value.to_bool();
  write([&](model::Font& f) { f.italic = italic; });
}

Variant Font::Strikethrough() const { return read([](const model::Font& f) { return Variant(f.strikeout); }); }
void Font::SetStrikethrough(const Variant& value) {
  const bool strike = value.to_bool();
  write([&](model::Font& f) { f.strikeout = strike; });
}

Variant Font::Underline() const {
  return read([](const model::Font& f) { return Variant(underline_style(f.underline)); });
}
void Font::SetUnderline(const Variant& value) {
  const auto code = value.is_bool() ? std::optional<uint8_t>(value.boolean() ? 1 : 0) : underline_code(value.to_long());
  if (!code) raise(Fault::MethodFailed);
  write([&](model::Font& f) { f.underline = *code; });
}

Variant Font::ColorIndex() const { return read([](const model::Font& f) { return Variant(color_index(f.color)); }); }
void Font::SetColorIndex(const Variant& value) {
  const auto index = palette_index(value.to_long());
  if (!index) raise(Fault::MethodFailed);
  write([&](model::Font& f) { f.color = *index; });
}

Variant Font::Color() const {
  const model::Palette& palette = sheet_.workbook().styles.palette;
  return read([&](const model::Font& f) { return Variant(color_value(palette, f.color)); });
}
void Font::SetColor(const Variant& value) {
  const uint16_t index = nearest_palette_index(sheet_.workbook().styles.palette, value.to_long());
  write([&](model::Font& f) { f.color = index; });
}

namespace {

struct StyleName {
  bool bold;
  bool italic;
  const char16_t* korean;
  const char16_t* english;
};

constexpr std::array<StyleName, 4> kFontStyles = {{
    {false, false, u"표준", u"Regular"},
    {true, false, u"굵게", u"Bold"},
    {false, true, u"기울임꼴", u"Italic"},
    {true, true, u"굵은 기울임꼴", u"Bold Italic"},
}};

constexpr uint16_t kSuperscript = 1, kSubscript = 2, kNoScript = 0;

}  // namespace

Variant Font::FontStyle() const {
  return read([](const model::Font& f) {
    for (const auto& style : kFontStyles)
      if (style.bold == f.bold() && style.italic == f.italic) return Variant(style.korean);
    return Variant(kFontStyles[0].korean);
  });
}

void Font::SetFontStyle(const Variant& value) {
  const std::u16string name = value.to_string();
  for (const auto& style : kFontStyles) {
    if (name != style.korean && !equals_ignore_case(name, style.english)) continue;
    return write([&](model::Font& f) {
      f.weight = style.bold ? kBoldWeight : kNormalWeight;
      f.italic = style.italic;
    });
  }
  raise(Fault::MethodFailed);
}

Variant Font::Superscript() const { return read([](const model::Font& f) { return Variant(f.script == kSuperscript); }); }
void Font::SetSuperscript(const Variant& value) {
  const bool on = value.to_bool();
  write([&](model::Font& f) { f.script = on ? kSuperscript : (f.script == kSuperscript ? kNoScript : f.script); });
}

Variant Font::Subscript() const { return read([](const model::Font& f) { return Variant(f.script == kSubscript); }); }
void Font::SetSubscript(const Variant& value) {
  const bool on = value.to_bool();
  write([&](model::Font& f) { f.script = on ? kSubscript : (f.script == kSubscript ? kNoScript : f.script); });
}

Variant Font::OutlineFont() const { return read([](const model::Font& f) { return Variant(f.outline); }); }
void Font::SetOutlineFont(const Variant& value) {
  const bool on = value.to_bool();
  write([&](model::Font& f) { f.outline = on; });
}

Variant Font::Shadow() const { return read([](const model::Font& f) { return Variant(f.shadow); }); }
void Font::SetShadow(const Variant& value) {
  const bool on = value.to_bool();
  write([&](model::Font& f) { f.shadow = on; });
}

void Font::SetThemeColor(const Variant& value) {
  const auto color = theme_rgb(value.to_long());
  if (!color) raise(Fault::MethodFailed);
  theme_base_ = *color;
  SetColor(Variant(*color));
}

Variant Font::TintAndShade() const {
  Color();  // raises as Color does for a range that is gone
  return Variant(0.0);
}

void Font::SetTintAndShade(const Variant& value) {
  const double tint = value.to_double();
  if (tint < -1 || tint > 1) raise(Fault::MethodFailed);
  const int32_t base = theme_base_ ? *theme_base_ : Color().to_long();
  SetColor(Variant(tinted(base, tint)));
}

}  // namespace tabrel::xl
