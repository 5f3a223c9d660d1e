#pragma once
// The workbook's cell styles by name, in English or Korean ("Comma [0]" or "쉼표 [0]").

#include <cstdint>
#include <optional>
#include <string>

#include "spreadsheet/model/workbook.h"

namespace tabrel::xl {

struct StyleChoice {
  uint16_t style_xf;  // the style's own XF, the parent of the cells that take it
  uint16_t format;    // the number format the style gives
};

// The style of that name; nullopt when the workbook has none. A built-in style the workbook has
// never stored (no STYLE record or one whose XF is no style XF) is added with its own style XF,
// as the spreadsheet adds it on first use.
std::optional<StyleChoice> find_style(model::Workbook& wb, const std::u16string& name);

// The name of the style a cell format derives from ("Normal" when unknown).
std::u16string style_name(const model::Workbook& wb, uint16_t cell_xf);

}  // namespace tabrel::xl
