#include "spreadsheet/automation/cell_styles.h"

#include <array>

#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

struct BuiltinStyle {
  uint8_t id;
  const char16_t* english;
  const char16_t* korean;
  uint16_t format;  // the number format of the spreadsheet's own definition
};

constexpr std::array<BuiltinStyle, 6> kBuiltins = {{
    {0, u"Normal", u"표준", 0},
    {3, u"Comma", u"쉼표", 43},
    {4, u"Currency", u"통화", 44},
    {5, u"Percent", u"백분율", 9},
    {6, u"Comma [0]", u"쉼표 [0]", 41},
    {7, u"Currency [0]", u"통화 [0]", 42},
}};

const BuiltinStyle* builtin_named(const std::u16string& name) {
  for (const auto& b : kBuiltins)
    if (equals_ignore_case(name, b.english) || name == b.korean) return &b;
  return nullptr;
}

constexpr uint16_t kNoParent = 0x0FFF;
// For a style XF a set flag leaves that attribute to the cell; a number style sets the number
// format only.
constexpr uint8_t kNumberFormatOnly = 0x3E;

bool is_style_xf(const model::Workbook& wb, uint16_t xf) {
  return xf < wb.styles.xfs.size() && wb.styles.xfs[xf].is_style;
}

StyleChoice add_builtin_style(model::Workbook& wb, const BuiltinStyle& builtin) {
  model::Xf xf;
  xf.is_style = true;
  xf.parent = kNoParent;
  xf.format = builtin.format;
  xf.used_attributes = kNumberFormatOnly;
  wb.styles.xfs.push_back(xf);
  const auto index = static_cast<uint16_t>(wb.styles.xfs.size() - 1);
  std::erase_if(wb.styles.styles, [&](const model::Style& s) { return s.builtin && s.builtin_id == builtin.id; });
  model::Style style;
  style.xf = index;
  style.builtin = true;
  style.builtin_id = builtin.id;
  wb.styles.styles.push_back(style);
  return StyleChoice{index, builtin.format};
}

}  // namespace

std::optional<StyleChoice> find_style(model::Workbook& wb, const std::u16string& name) {
  const BuiltinStyle* builtin = builtin_named(name);
  for (const auto& s : wb.styles.styles) {
    const bool match = s.builtin ? builtin && builtin->id == s.builtin_id : equals_ignore_case(s.name, name);
    if (!match || !is_style_xf(wb, s.xf)) continue;
    return StyleChoice{s.xf, wb.styles.xfs[s.xf].format};
  }
  if (!builtin) return std::nullopt;
  if (builtin->id == 0) return StyleChoice{0, 0};  // Normal: the first XF
  return add_builtin_style(wb, *builtin);
}

std::u16string style_name(const model::Workbook& wb, uint16_t cell_xf) {
  if (cell_xf >= wb.styles.xfs.size()) return kBuiltins[0].english;
  const uint16_t parent = wb.styles.xfs[cell_xf].parent;
  for (const auto& s : wb.styles.styles) {
    if (s.xf != parent) continue;
    if (!s.builtin) return s.name;
    for (const auto& b : kBuiltins)
      if (b.id == s.builtin_id) return b.english;
  }
  return kBuiltins[0].english;
}

}  // namespace tabrel::xl
