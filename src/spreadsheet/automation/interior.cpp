#include "spreadsheet/automation/interior.h"

#include <array>

#include "spreadsheet/automation/constants.h"
#include "spreadsheet/automation/theme_colors.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/fold.h"
#include "spreadsheet/ops/cell_format.h"

namespace tabrel::xl {
namespace {

constexpr int32_t kWhite = 0xFFFFFF;
constexpr uint8_t kSolid = 1;

// xlPattern constants of the BIFF fill patterns 0..18.
constexpr std::array<int, 19> kPatterns = {kXlNone, 1,  -4125, -4126, -4124, -4128, -4166, -4121, -4162, 9,
                                           10,      11, 12,    13,    14,    15,    16,    17,    18};

// A solid fill stores the cell's colour as its foreground; a patterned fill draws its lines in
// the foreground colour over the cell's colour, stored as its background.
uint16_t interior_color(const model::Xf& xf) { return xf.pattern == kSolid ? xf.pattern_color : xf.background_color; }
uint16_t line_color(const model::Xf& xf) { return xf.pattern == kSolid ? xf.background_color : xf.pattern_color; }

void fill(model::Xf& xf, std::optional<uint16_t> color) {
  if (!color) {
    xf.pattern = 0;
    xf.pattern_color = model::kSystemForeground;
    xf.background_color = model::kSystemBackground;
    return;
  }
  if (xf.pattern == 0) xf.pattern = kSolid;
  (xf.pattern == kSolid ? xf.pattern_color : xf.background_color) = *color;
}

}  // namespace

Interior::Interior(SheetHandle sheet, model::RangeRef area) : sheet_(std::move(sheet)), area_(area) {}

Variant Interior::ColorIndex() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_cells(area_, [&](model::CellRef at) {
    const model::Xf& xf = ops::effective_format(wb, sheet, at);
    return Variant(xf.pattern == 0 ? kXlNone : color_index(interior_color(xf)));
  });
}

void Interior::SetColorIndex(const Variant& value) {
  const int index = value.to_long();
  std::optional<uint16_t> color;
  if (index != kXlNone) {
    const auto mapped = palette_index(index);
    if (!mapped) raise(Fault::MethodFailed);
    color = *mapped == model::kAutomaticColor ? model::kSystemForeground : *mapped;
  }
  ops::change_format(sheet_.workbook(), sheet_.get(), area_, [&](model::Xf& xf) { fill(xf, color); });
}

Variant Interior::Color() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_cells(area_, [&](model::CellRef at) {
    const model::Xf& xf = ops::effective_format(wb, sheet, at);
    return Variant(xf.pattern == 0 ? kWhite : color_value(wb.styles.palette, interior_color(xf)));
  });
}

void Interior::SetColor(const Variant& value) {
  model::Workbook& wb = sheet_.workbook();
  const uint16_t index = nearest_palette_index(wb.styles.palette, value.to_long());
  ops::change_format(wb, sheet_.get(), area_, [&](model::Xf& xf) { fill(xf, index); });
}

Variant Interior::Pattern() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_cells(area_, [&](model::CellRef at) {
    const uint8_t pattern = ops::effective_format(wb, sheet, at).pattern;
    return Variant(pattern < kPatterns.size() ? kPatterns[pattern] : kXlNone);
  });
}

void Interior::SetPattern(const Variant& value) {
  const int constant = value.to_long();
  std::optional<uint8_t> code;
  for (size_t i = 0; i < kPatterns.size(); ++i)
    if (kPatterns[i] == constant) code = static_cast<uint8_t>(i);
  if (!code) raise(Fault::MethodFailed);
  ops::change_format(sheet_.workbook(), sheet_.get(), area_, [&](model::Xf& xf) {
    if (*code == 0) return fill(xf, std::nullopt);
    // The cell's colour moves between the two stored colours as the fill turns solid or not.
    const uint16_t cell_color = xf.pattern == 0 ? model::kSystemBackground : interior_color(xf);
    const uint16_t lines = xf.pattern > kSolid ? xf.pattern_color : model::kSystemForeground;
    xf.pattern = *code;
    if (*code == kSolid) {
      xf.pattern_color = cell_color == model::kSystemBackground ? model::kSystemForeground : cell_color;
      xf.background_color = model::kSystemBackground;
    } else {
      xf.pattern_color = lines;
      xf.background_color = cell_color;
    }
  });
}

Variant Interior::PatternColorIndex() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_cells(area_, [&](model::CellRef at) {
    const model::Xf& xf = ops::effective_format(wb, sheet, at);
    return Variant(xf.pattern == 0 ? kXlAutomatic : color_index(line_color(xf)));
  });
}

void Interior::SetPatternColorIndex(const Variant& value) {
  const auto index = palette_index(value.to_long());
  if (!index) raise(Fault::MethodFailed);
  ops::change_format(sheet_.workbook(), sheet_.get(), area_, [&](model::Xf& xf) {
    if (xf.pattern == kSolid) xf.background_color = *index == model::kAutomaticColor ? model::kSystemBackground : *index;
    else xf.pattern_color = *index == model::kAutomaticColor ? model::kSystemForeground : *index;
  });
}

void Interior::SetThemeColor(const Variant& value) {
  const auto color = theme_rgb(value.to_long());
  if (!color) raise(Fault::MethodFailed);
  theme_base_ = *color;
  SetColor(Variant(*color));
}

Variant Interior::TintAndShade() const {
  Color();  // raises as Color does for a range that is gone
  return Variant(0.0);
}

void Interior::SetTintAndShade(const Variant& value) {
  const double tint = value.to_double();
  if (tint < -1 || tint > 1) raise(Fault::MethodFailed);
  const int32_t base = theme_base_ ? *theme_base_ : Color().to_long();
  SetColor(Variant(tinted(base, tint)));
}

}  // namespace tabrel::xl
