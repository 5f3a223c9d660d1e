#include "spreadsheet/xls/read_drawing.h"

#include <algorithm>

#include "spreadsheet/biff/record_cursor.h"
#include "spreadsheet/biff/strings.h"

namespace tabrel::xls {

namespace {

// OfficeArt record types.
constexpr uint16_t kShapeContainer = 0xF004;
constexpr uint16_t kShapeRecord = 0xF00A;
constexpr uint16_t kProperties = 0xF00B;
constexpr uint16_t kTertiaryProperties = 0xF122;
constexpr uint16_t kClientAnchor = 0xF010;
constexpr uint16_t kClientData = 0xF011;
// Shape properties.
constexpr uint16_t kPropRotation = 0x0004;  // signed 16.16 fixed-point degrees
constexpr uint16_t kPropName = 0x0380;
constexpr uint16_t kPropDescription = 0x0381;
constexpr uint16_t kPropGroupFlags = 0x03BF;
constexpr uint16_t kPropFirstAdjustment = 0x0147;  // adjustValue; adjust2Value .. adjust10Value follow
constexpr uint16_t kAdjustmentCount = 10;
// OBJ sub-records.
constexpr uint16_t kSubEnd = 0x0000;
constexpr uint16_t kSubMacro = 0x0004;
constexpr uint16_t kSubListData = 0x0013;
constexpr uint16_t kSubCommon = 0x0015;
constexpr int kMaxDepth = 16;

struct Bytes {
  std::span<const uint8_t> b;
  bool has(size_t at, size_t n) const { return at <= b.size() && n <= b.size() - at; }
  uint16_t u16(size_t at) const { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }
  uint32_t u32(size_t at) const { return u16(at) | (static_cast<uint32_t>(u16(at + 2)) << 16); }
};

struct Header {
  uint16_t ver_inst;
  uint16_t type;
  uint32_t length;
  bool container() const { return (ver_inst & 0x000F) == 0x000F; }
  uint16_t instance() const { return ver_inst >> 4; }
};

std::u16string utf16_until_zero(Bytes d, size_t at, size_t n) {
  std::u16string s;
  for (size_t i = 0; i + 1 < n; i += 2) {
    const char16_t ch = d.u16(at + i);
    if (ch == 0) break;
    s.push_back(ch);
  }
  return s;
}

// A table that counts more properties than it holds gives the simple ones that fit; its
// complex data cannot be placed and is left out.
void read_properties(Bytes d, size_t at, size_t length, uint16_t count, OfficeArtShape& shape) {
  const bool complete = static_cast<size_t>(count) * 6 <= length;
  if (!complete) count = static_cast<uint16_t>(length / 6);
  size_t complex_at = at + static_cast<size_t>(count) * 6;
  const size_t end = at + length;
  for (uint16_t i = 0; i < count; ++i) {
    const uint16_t opid = d.u16(at + i * 6);
    const uint32_t op = d.u32(at + i * 6 + 2);
    const uint16_t id = opid & 0x3FFF;
    if (opid & 0x8000) {
      if (!complete) continue;
      if (op > end - complex_at) return;
      if (id == kPropName) shape.name = utf16_until_zero(d, complex_at, op);
      if (id == kPropDescription) shape.alternative_text = utf16_until_zero(d, complex_at, op);
      complex_at += op;
    } else if (id >= kPropFirstAdjustment && id < kPropFirstAdjustment + kAdjustmentCount) {
      shape.adjustments[id - kPropFirstAdjustment] = static_cast<int32_t>(op);
    } else if (id == kPropRotation) {
      shape.rotation = static_cast<int32_t>(op) / 65536.0;
    } else if (id == kPropGroupFlags && (op & 0x00020000)) {
      shape.hidden = (op & 0x0002) != 0;
    }
  }
}

model::Anchor read_anchor(Bytes d, size_t at) {
  model::Anchor a;
  const uint16_t flags = d.u16(at);
  a.placement = (flags & 0x0002) ? ((flags & 0x0001) ? 3 : 2) : 1;
  a.col1 = d.u16(at + 2);
  a.dx1 = d.u16(at + 4);
  a.row1 = d.u16(at + 6);
  a.dy1 = d.u16(at + 8);
  a.col2 = d.u16(at + 10);
  a.dx2 = d.u16(at + 12);
  a.row2 = d.u16(at + 14);
  a.dy2 = d.u16(at + 16);
  return a;
}

// Walks the records in [at, end); returns false when a record runs past its container. A
// container that claims more bytes than its parent holds is read up to its parent's end, so
// that every complete record in it is kept.
bool walk(Bytes d, size_t at, size_t end, int depth, OfficeArtShape* shape, OfficeArtDrawing& drawing) {
  std::vector<OfficeArtShape>& out = drawing.shapes;
  const auto damaged = [&] {
    drawing.damaged_at = at;
    return false;
  };
  while (at < end) {
    if (end - at < 8) return damaged();
    const Header h{d.u16(at), d.u16(at + 2), d.u32(at + 4)};
    const size_t body = at + 8;
    if (h.container()) {
      if (depth >= kMaxDepth) return damaged();
      const size_t body_end = body + std::min<size_t>(h.length, end - body);
      if (h.type == kShapeContainer) {
        out.emplace_back();
        const size_t index = out.size() - 1;
        out[index].begin = at;
        out[index].end = body_end;
        OfficeArtShape s = out[index];
        const bool ok = walk(d, body, body_end, depth + 1, &s, drawing);
        out[index] = std::move(s);
        if (!ok) return false;
      } else if (!walk(d, body, body_end, depth + 1, shape, drawing)) {
        return false;
      }
      at = body_end;
      continue;
    }
    if (h.length > end - body) return damaged();
    if (shape) {
      if (h.type == kShapeRecord && h.length >= 8) {
        shape->shape_type = h.instance();
        shape->shape_id = d.u32(body);
      } else if (h.type == kProperties || h.type == kTertiaryProperties) {
        read_properties(d, body, h.length, h.instance(), *shape);
      } else if (h.type == kClientAnchor && h.length >= 18) {
        shape->anchor = read_anchor(d, body);
      } else if (h.type == kClientData) {
        shape->has_client_data = true;
      }
    }
    at = body + h.length;
  }
  return true;
}

}  // namespace

OfficeArtDrawing read_officeart_shapes(std::span<const uint8_t> drawing) {
  OfficeArtDrawing out;
  walk(Bytes{drawing}, 0, drawing.size(), 0, nullptr, out);
  return out;
}

void read_obj(const biff::Record& rec, model::DrawingObject& obj, std::vector<std::string>& problems) {
  biff::RecordCursor c(rec);
  while (c.remaining() >= 4) {
    const uint16_t ft = c.u16();
    const uint16_t cb = c.u16();
    if (ft == kSubEnd || ft == kSubListData) break;  // the list data's length is not reliable
    if (cb > c.remaining()) {
      problems.push_back("object " + std::to_string(obj.object_id) + ": sub-record " + std::to_string(ft) +
                         " runs past its OBJ record; " + (ft == kSubMacro ? "its assigned macro" : "it") +
                         " and what follows are left out");
      return;
    }
    auto body = c.bytes(cb);
    Bytes d{body};
    if (ft == kSubCommon && d.has(0, 4)) {
      obj.object_type = d.u16(0);
      obj.object_id = d.u16(2);
    } else if (ft == kSubMacro) {
      const size_t cce = d.has(0, 2) ? d.u16(0) & 0x7FFF : 0;
      if (d.has(6, cce))
        obj.macro_tokens.assign(body.begin() + 6, body.begin() + 6 + static_cast<long>(cce));
      else
        problems.push_back("object " + std::to_string(obj.object_id) +
                           ": the assigned macro's formula runs past its sub-record; the object has no macro");
    }
  }
}

model::RichText read_txo(const biff::Record& rec, size_t& own_end) {
  biff::RecordCursor c(rec);
  model::RichText t;
  c.skip(10);  // options, rotation, reserved
  const uint16_t chars = c.u16();
  const uint16_t run_bytes = c.u16();
  own_end = c.position();
  if (chars == 0 || rec.boundaries.empty()) return t;
  c.seek(rec.boundaries[0]);
  t.text = c.chars(chars, false);
  own_end = c.position();
  // The runs start in the next CONTINUE; the last run only marks the end of the text.
  const size_t runs = run_bytes / 8;
  own_end += std::min<size_t>(run_bytes, c.remaining());
  if (runs < 2 || c.remaining() < runs * 8) return t;
  for (size_t i = 0; i + 1 < runs; ++i) {
    model::FormatRun r;
    r.first_char = c.u16();
    r.font = c.u16();
    c.skip(4);
    t.runs.push_back(r);
  }
  return t;
}

model::Comment read_note(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  model::Comment n;
  n.cell.row = c.u16();
  n.cell.col = c.u16();
  n.visible = (c.u16() & 0x0002) != 0;
  n.object_id = c.u16();
  n.author = biff::read_string(c);
  return n;
}

}  // namespace tabrel::xls
