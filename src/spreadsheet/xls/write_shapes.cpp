#include "spreadsheet/xls/write_shapes.h"

#include <cmath>
#include <string>
#include <utility>

#include "spreadsheet/xls/write_office_art.h"

namespace tabrel::xls {
namespace {

namespace oa = office_art;
using oa::put_u16;
using oa::put_u32;

constexpr uint16_t kTextBoxShape = 202;

void client_anchor(std::vector<uint8_t>& out, const model::Anchor& a) {
  std::vector<uint8_t> body;
  put_u16(body, a.placement == 1 ? 0 : a.placement == 2 ? 2 : 3);
  for (int v : {a.col1, a.dx1, a.row1, a.dy1, a.col2, a.dx2, a.row2, a.dy2}) put_u16(body, static_cast<uint16_t>(v));
  oa::append_record(out, 0, 0, oa::kClientAnchor, body);
}

using Property = std::pair<uint16_t, uint32_t>;

// Shape properties in id order, then the name and alternative text as complex properties.
std::vector<uint8_t> properties_record(std::vector<Property> simple, const std::u16string& name,
                                       const std::u16string& description) {
  constexpr uint16_t kName = 0x0380, kDescription = 0x0381, kComplex = 0x8000;
  std::vector<uint8_t> complex;
  for (const auto& [id, text] : {std::pair{kName, &name}, std::pair{kDescription, &description}}) {
    if (text->empty()) continue;
    simple.emplace_back(static_cast<uint16_t>(id | kComplex), static_cast<uint32_t>((text->size() + 1) * 2));
    for (char16_t ch : *text) put_u16(complex, ch);
    put_u16(complex, 0);
  }
  std::vector<uint8_t> body;
  for (const auto& [id, value] : simple) put_u16(body, id), put_u32(body, value);
  body.insert(body.end(), complex.begin(), complex.end());
  std::vector<uint8_t> out;
  oa::append_record(out, 3, static_cast<uint16_t>(simple.size()), oa::kFopt, body);
  return out;
}

ShapeParts make_shape(uint32_t shape_id, uint16_t shape_type, const std::vector<uint8_t>& properties,
                      const model::Anchor& anchor, bool text_box) {
  std::vector<uint8_t> body;
  std::vector<uint8_t> fsp;
  put_u32(fsp, shape_id);
  put_u32(fsp, 0x0A00);  // has an anchor and a shape type
  oa::append_record(body, 2, shape_type, oa::kFsp, fsp);
  body.insert(body.end(), properties.begin(), properties.end());
  client_anchor(body, anchor);
  oa::append_record(body, 0, 0, oa::kClientData, {});
  ShapeParts parts;
  const uint32_t tail_size = text_box ? 8 : 0;
  oa::append_header(parts.head,
                    {oa::kContainerVersion, 0, oa::kSpContainer, static_cast<uint32_t>(body.size() + tail_size)});
  parts.head.insert(parts.head.end(), body.begin(), body.end());
  if (text_box) oa::append_record(parts.tail, 0, 0, oa::kClientTextbox, {});
  return parts;
}

// The shape type an object of an OBJ type draws with when the drawing layer did not say.
uint16_t default_shape_type(uint16_t object_type) {
  switch (object_type) {
    case 1: return 20;   // line
    case 2: return 1;    // rectangle
    case 3: return 3;    // oval
    case 4: return 19;   // arc
    case 6: return kTextBoxShape;
    case 8: return 75;   // picture frame
    case 9: return 0;    // free-form
    default: return 201; // a control
  }
}

}  // namespace

model::Anchor comment_anchor(model::CellRef cell) {
  model::Anchor a;
  a.col1 = cell.col + 1, a.dx1 = 15, a.row1 = cell.row > 0 ? cell.row - 1 : 0, a.dy1 = 10;
  a.col2 = cell.col + 3, a.dx2 = 15, a.row2 = a.row1 + 4, a.dy2 = 4;
  a.placement = 3;
  return a;
}

ShapeParts comment_shape(uint32_t shape_id, const model::Anchor& anchor, bool visible) {
  // Text box filled and outlined in the system's tooltip colours, with a shadow.
  const auto properties = properties_record(
      {{0x0080, 0}, {0x00BF, 0x00080008}, {0x0181, 0x08000050}, {0x0183, 0x08000050}, {0x01BF, 0x00110010},
       {0x01C0, 0x08000051}, {0x023F, 0x00030003}, {0x03BF, visible ? 0x000A0000u : 0x000A0002u}},
      u"", u"");
  return make_shape(shape_id, kTextBoxShape, properties, anchor, true);
}

ShapeParts object_shape(uint32_t shape_id, const model::DrawingObject& d, bool text_box) {
  constexpr uint16_t kRotation = 0x0004, kFirstAdjustment = 0x0147, kAdjustmentCount = 10, kGroupFlags = 0x03BF;
  std::vector<Property> simple;
  if (d.rotation != 0)
    simple.emplace_back(kRotation, static_cast<uint32_t>(static_cast<int32_t>(std::lround(d.rotation * 65536))));
  for (const auto& [handle, value] : d.adjustments)
    if (handle >= 0 && handle < kAdjustmentCount)
      simple.emplace_back(static_cast<uint16_t>(kFirstAdjustment + handle), static_cast<uint32_t>(value));
  simple.emplace_back(kGroupFlags, 0x00020000u | (d.hidden ? 2u : 0u));
  const auto properties = properties_record(std::move(simple), d.name, d.alternative_text);
  const uint16_t type = d.autoshape_type ? d.autoshape_type : default_shape_type(d.object_type);
  return make_shape(shape_id, type, properties, d.anchor, text_box);
}

}  // namespace tabrel::xls
