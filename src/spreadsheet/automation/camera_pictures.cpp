#include "spreadsheet/automation/camera_pictures.h"

#include <span>

#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/print.h"

namespace tabrel::xl {
namespace {

constexpr uint16_t kObj = 0x005D;
constexpr uint16_t kSubEnd = 0x0000, kSubPictureFormula = 0x0009, kSubListData = 0x0013;

uint16_t u16_at(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

// The tokens of the OBJ record's picture formula: its size, the token count, four unused bytes,
// then the tokens.
std::optional<std::span<const uint8_t>> formula_tokens(std::span<const uint8_t> obj) {
  size_t at = 0;
  while (at + 4 <= obj.size()) {
    const uint16_t ft = u16_at(obj, at);
    const uint16_t cb = u16_at(obj, at + 2);
    at += 4;
    if (ft == kSubEnd || ft == kSubListData || cb > obj.size() - at) return std::nullopt;
    if (ft == kSubPictureFormula) {
      const std::span<const uint8_t> body = obj.subspan(at, cb);
      if (body.size() < 8) return std::nullopt;
      const size_t count = u16_at(body, 2) & 0x7FFF;
      if (count == 0 || 8 + count > body.size()) return std::nullopt;
      return body.subspan(8, count);
    }
    at += cb;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::u16string> picture_formula(const model::Workbook& wb, const model::DrawingObject& object) {
  for (const model::RawRecord& r : object.obj_records) {
    if (r.id != kObj) continue;
    const auto tokens = formula_tokens(r.payload);
    if (!tokens) return std::nullopt;
    try {
      return formula::print(wb, {}, *tokens, {}, formula::Notation::A1);
    } catch (const formula::FormulaError&) {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace tabrel::xl
