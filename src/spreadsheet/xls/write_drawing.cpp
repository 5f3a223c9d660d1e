#include "spreadsheet/xls/write_drawing.h"

#include <algorithm>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/strings.h"
#include "spreadsheet/xls/write_office_art.h"
#include "spreadsheet/xls/write_raw_records.h"

namespace tabrel::xls {
namespace {

namespace oa = office_art;
namespace rt = biff::rt;

constexpr uint32_t kShapeIdsPerDrawing = 1024;
constexpr uint16_t kTextBoxShape = 202;
constexpr uint16_t kCommentObject = 25;

void put_u16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

bool stored_shape(const model::DrawingObject& d) { return oa::client_data_end(d.shape_bytes).has_value(); }

bool has_obj_record(const model::DrawingObject& d) {
  return std::any_of(d.obj_records.begin(), d.obj_records.end(), [](const auto& r) { return r.id == rt::Obj; });
}

bool is_comment_shape(const model::Sheet& sheet, size_t index) {
  return std::any_of(sheet.comments.begin(), sheet.comments.end(),
                     [&](const model::Comment& c) { return c.drawing_index == static_cast<int>(index); });
}

// Where an object's shape comes from: kept from the file, made from its anchor (its OBJ
// records kept, the drawing layer lost), or not written here (comments make their own).
enum class ShapeSource { Stored, Made, None };

ShapeSource shape_source(const model::Sheet& sheet, size_t index) {
  const model::DrawingObject& d = sheet.drawings[index];
  if (stored_shape(d)) return ShapeSource::Stored;
  if (is_comment_shape(sheet, index) || !has_obj_record(d)) return ShapeSource::None;
  return ShapeSource::Made;
}

// Comments whose shape the writer makes (none kept from a file).
std::vector<const model::Comment*> comments_without_shape(const model::Sheet& sheet) {
  std::vector<const model::Comment*> out;
  for (const model::Comment& c : sheet.comments) {
    const bool has_shape = c.drawing_index >= 0 && static_cast<size_t>(c.drawing_index) < sheet.drawings.size() &&
                           stored_shape(sheet.drawings[c.drawing_index]);
    if (!has_shape) out.push_back(&c);
  }
  return out;
}

size_t shapes_of(const model::Sheet& sheet) {
  size_t shapes = comments_without_shape(sheet).size();
  for (size_t i = 0; i < sheet.drawings.size(); ++i)
    if (shape_source(sheet, i) != ShapeSource::None) ++shapes;
  return shapes;
}

// Object ids of the comments, in order: the stored one, or a fresh one past every id in use.
std::vector<uint16_t> comment_object_ids(const model::Sheet& sheet) {
  uint16_t next = 0;
  for (const model::DrawingObject& d : sheet.drawings) next = std::max(next, d.object_id);
  for (const model::Comment& c : sheet.comments) next = std::max(next, c.object_id);
  std::vector<uint16_t> ids;
  for (const model::Comment& c : sheet.comments) ids.push_back(c.object_id ? c.object_id : ++next);
  return ids;
}

// A comment's default box: right of its cell, a little above it, two columns wide.
model::Anchor comment_anchor(model::CellRef cell) {
  model::Anchor a;
  a.col1 = cell.col + 1, a.dx1 = 15, a.row1 = cell.row > 0 ? cell.row - 1 : 0, a.dy1 = 10;
  a.col2 = cell.col + 3, a.dx2 = 15, a.row2 = a.row1 + 4, a.dy2 = 4;
  a.placement = 3;
  return a;
}

void client_anchor(std::vector<uint8_t>& out, const model::Anchor& a) {
  std::vector<uint8_t> body;
  put_u16(body, a.placement == 1 ? 0 : a.placement == 2 ? 2 : 3);
  for (int v : {a.col1, a.dx1, a.row1, a.dy1, a.col2, a.dx2, a.row2, a.dy2}) put_u16(body, static_cast<uint16_t>(v));
  oa::append_record(out, 0, 0, oa::kClientAnchor, body);
}

// A shape container cut where its OBJ record goes.
struct ShapeParts {
  std::vector<uint8_t> head;  // up to and with the client data
  std::vector<uint8_t> tail;  // the client text box, if any
};

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

ShapeParts comment_shape(uint32_t shape_id, const model::Anchor& anchor, bool visible) {
  const auto properties = properties_record(
      {{0x0080, 0}, {0x00BF, 0x00080008}, {0x0181, 0x08000050}, {0x0183, 0x08000050}, {0x01BF, 0x00110010},
       {0x01C0, 0x08000051}, {0x023F, 0x00030003}, {0x03BF, visible ? 0x000A0000u : 0x000A0002u}},
      u"", u"");
  return make_shape(shape_id, kTextBoxShape, properties, anchor, true);
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

ShapeParts object_shape(uint32_t shape_id, const model::DrawingObject& d, bool text_box) {
  const auto properties = properties_record({{0x03BF, 0x00020000u | (d.hidden ? 2u : 0u)}}, d.name, d.alternative_text);
  const uint16_t type = d.autoshape_type ? d.autoshape_type : default_shape_type(d.object_type);
  return make_shape(shape_id, type, properties, d.anchor, text_box);
}

biff::PayloadBuilder comment_obj(uint16_t object_id) {
  biff::PayloadBuilder p;
  p.u16(0x15);  // common object data
  p.u16(0x12);
  p.u16(kCommentObject);
  p.u16(object_id);
  p.u16(0x4011);  // locked, printed, automatic line
  for (int i = 0; i < 12; ++i) p.u8(0);
  p.u16(0x0D);  // note data
  p.u16(0x16);
  for (int i = 0; i < 22; ++i) p.u8(0);
  p.u32(0);     // end
  return p;
}

void write_text_object(biff::RecordWriter& out, const model::RichText& text) {
  const auto length = static_cast<uint16_t>(std::min<size_t>(text.text.size(), 0xFFFF));
  std::vector<model::FormatRun> runs = text.runs;
  if (runs.empty() || runs.front().first_char != 0) runs.insert(runs.begin(), model::FormatRun{0, 0});
  biff::PayloadBuilder p;
  p.u16(0x0212);  // left, top, text locked
  p.u16(0);
  for (int i = 0; i < 3; ++i) p.u16(0);
  p.u16(length);
  p.u16(length ? static_cast<uint16_t>((runs.size() + 1) * 8) : 0);
  p.u16(0);
  p.u16(0);       // no formula
  out.write(rt::TxO, p);
  if (!length) return;
  const std::u16string_view chars = std::u16string_view(text.text).substr(0, length);
  const bool wide = !biff::fits_compressed(chars);
  biff::PayloadBuilder t;
  const uint8_t flag = wide ? 1 : 0;
  t.string(std::span<const uint8_t>(&flag, 1), chars, wide);
  out.write(rt::Continue, t);
  biff::PayloadBuilder r;
  for (const model::FormatRun& run : runs) {
    r.u16(run.first_char);
    r.u16(run.font);
    r.u32(0);
  }
  r.u16(length);
  r.u16(0);
  r.u32(0);
  out.write(rt::Continue, r);
}

class SheetDrawingWriter {
 public:
  SheetDrawingWriter(biff::RecordWriter& out, const model::Sheet& sheet, const SheetDrawing& drawing)
      : out_(out), sheet_(sheet), drawing_(drawing), next_shape_id_(drawing.first_shape_id + 1) {}

  void run() {
    pending_ = container_prefix();
    for (size_t i = 0; i < sheet_.drawings.size(); ++i) {
      const model::DrawingObject& d = sheet_.drawings[i];
      switch (shape_source(sheet_, i)) {
        case ShapeSource::Stored: {
          std::vector<uint8_t> shape = d.shape_bytes;
          oa::set_shape_id(shape, next_shape_id_++);
          const size_t cut = *oa::client_data_end(shape);
          write_object(d, std::span<const uint8_t>(shape).first(cut), std::span<const uint8_t>(shape).subspan(cut));
          break;
        }
        case ShapeSource::Made: {
          const ShapeParts parts = object_shape(next_shape_id_++, d, has_text(d));
          write_object(d, parts.head, parts.tail);
          break;
        }
        case ShapeSource::None: break;
      }
    }
    const std::vector<uint16_t> ids = comment_object_ids(sheet_);
    for (const model::Comment* c : comments_without_shape(sheet_)) {
      const size_t index = static_cast<size_t>(c - sheet_.comments.data());
      const bool has_drawing = c->drawing_index >= 0 && static_cast<size_t>(c->drawing_index) < sheet_.drawings.size();
      const model::Anchor anchor = has_drawing ? sheet_.drawings[c->drawing_index].anchor : comment_anchor(c->cell);
      const ShapeParts parts = comment_shape(next_shape_id_++, anchor, c->visible);
      if (has_drawing && has_obj_record(sheet_.drawings[c->drawing_index])) {
        write_object(sheet_.drawings[c->drawing_index], parts.head, parts.tail);  // its records as stored
        continue;
      }
      flush(parts.head);
      out_.write(rt::Obj, comment_obj(ids[index]));
      flush(parts.tail);
      write_text_object(out_, c->text);
    }
  }

 private:
  static bool has_text(const model::DrawingObject& d) {
    return std::any_of(d.obj_records.begin(), d.obj_records.end(), [](const auto& r) { return r.id == rt::TxO; });
  }

  // The OBJ record (and an embedded chart's substream) after the shape's head, the text box
  // records after its tail.
  void write_object(const model::DrawingObject& d, std::span<const uint8_t> head, std::span<const uint8_t> tail) {
    flush(head);
    for (const model::RawRecord& r : d.obj_records)
      if (r.id == rt::Obj) write_raw(out_, r);
    if (d.chart_index >= 0 && static_cast<size_t>(d.chart_index) < sheet_.embedded_charts.size())
      for (const model::RawRecord& r : sheet_.embedded_charts[d.chart_index].records) write_raw(out_, r);
    if (!tail.empty()) flush(tail);
    for (const model::RawRecord& r : d.obj_records)
      if (r.id != rt::Obj) write_raw(out_, r);
  }

  // The drawing's container headers and its group shape, sent with the first shape.
  std::vector<uint8_t> container_prefix() const {
    uint32_t shapes_length = 0;
    for (size_t i = 0; i < sheet_.drawings.size(); ++i) {
      const model::DrawingObject& d = sheet_.drawings[i];
      const ShapeSource source = shape_source(sheet_, i);
      if (source == ShapeSource::Stored) shapes_length += static_cast<uint32_t>(d.shape_bytes.size());
      if (source == ShapeSource::Made) {
        const ShapeParts parts = object_shape(0, d, has_text(d));
        shapes_length += static_cast<uint32_t>(parts.head.size() + parts.tail.size());
      }
    }
    const size_t made = comments_without_shape(sheet_).size();
    if (made) {
      const ShapeParts sample = comment_shape(0, {}, false);
      shapes_length += static_cast<uint32_t>(made * (sample.head.size() + sample.tail.size()));
    }
    std::vector<uint8_t> group;
    std::vector<uint8_t> fsp;
    put_u32(fsp, drawing_.first_shape_id);
    put_u32(fsp, 0x0005);  // group, patriarch
    std::vector<uint8_t> group_body;
    oa::append_record(group_body, 1, 0, oa::kFspgr, std::vector<uint8_t>(16, 0));
    oa::append_record(group_body, 2, 0, oa::kFsp, fsp);
    oa::append_record(group, oa::kContainerVersion, 0, oa::kSpContainer, group_body);

    const uint32_t spgr_length = static_cast<uint32_t>(group.size()) + shapes_length;
    std::vector<uint8_t> fdg;
    put_u32(fdg, drawing_.shape_count);
    put_u32(fdg, drawing_.first_shape_id + drawing_.shape_count - 1);
    std::vector<uint8_t> prefix;
    oa::append_header(prefix, {oa::kContainerVersion, 0, oa::kDgContainer, 16 + 8 + spgr_length});
    oa::append_record(prefix, 0, static_cast<uint16_t>(drawing_.drawing_id), oa::kFdg, fdg);
    oa::append_header(prefix, {oa::kContainerVersion, 0, oa::kSpgrContainer, spgr_length});
    prefix.insert(prefix.end(), group.begin(), group.end());
    return prefix;
  }

  void flush(std::span<const uint8_t> bytes) {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    out_.write(rt::MsoDrawing, pending_);
    pending_.clear();
  }

  biff::RecordWriter& out_;
  const model::Sheet& sheet_;
  const SheetDrawing& drawing_;
  uint32_t next_shape_id_;
  std::vector<uint8_t> pending_;
};

std::vector<uint8_t> drawing_group(const model::Workbook& workbook, const std::vector<SheetDrawing>& sheets) {
  uint32_t drawings = 0, shapes = 0, max_id = 0;
  std::vector<uint8_t> fdgg_tail;
  for (const SheetDrawing& s : sheets) {
    if (!s.drawing_id) continue;
    ++drawings;
    shapes += s.shape_count;
    max_id = std::max(max_id, s.first_shape_id + s.shape_count - 1);
    put_u32(fdgg_tail, s.drawing_id);
    put_u32(fdgg_tail, s.shape_count);
  }
  std::vector<uint8_t> body;
  std::vector<uint8_t> fdgg;
  put_u32(fdgg, max_id + 1);
  put_u32(fdgg, drawings + 1);
  put_u32(fdgg, shapes);
  put_u32(fdgg, drawings);
  fdgg.insert(fdgg.end(), fdgg_tail.begin(), fdgg_tail.end());
  oa::append_record(body, 0, 0, oa::kFdgg, fdgg);

  // Keep what the stored group holds besides its id table (the picture store, default
  // properties, menu colours); make the defaults when there is none.
  std::span<const uint8_t> stored(workbook.drawing_group);
  auto top = oa::header_at(stored, 0);
  bool kept = false;
  if (top && top->type == oa::kDggContainer) {
    const auto inner = stored.subspan(8, top->length);
    for (const auto& [at, h] : oa::children(inner)) {
      if (h.type == oa::kFdgg) continue;
      body.insert(body.end(), inner.begin() + at, inner.begin() + at + 8 + h.length);
      kept = true;
    }
  }
  if (!kept) {
    std::vector<uint8_t> fopt;
    for (const auto& [id, value] : {std::pair<uint16_t, uint32_t>{0x00BF, 0x00080008}, {0x0181, 0x08000041},
                                    {0x01C0, 0x08000040}})
      put_u16(fopt, id), put_u32(fopt, value);
    oa::append_record(body, 3, 3, oa::kFopt, fopt);
    std::vector<uint8_t> colors;
    for (uint32_t c : {0x0800000Du, 0x0800000Cu, 0x08000017u, 0x100000F7u}) put_u32(colors, c);
    oa::append_record(body, 0, 4, oa::kSplitMenuColors, colors);
  }
  std::vector<uint8_t> out;
  oa::append_record(out, oa::kContainerVersion, 0, oa::kDggContainer, body);
  return out;
}

}  // namespace

DrawingPlan plan_drawings(const model::Workbook& workbook) {
  DrawingPlan plan;
  uint32_t next_drawing = 0;
  for (const auto& sheet : workbook.sheets) {
    SheetDrawing d;
    const size_t shapes = sheet->kind == model::SheetKind::ChartSheet ? 0 : shapes_of(*sheet);
    if (shapes) {
      d.drawing_id = ++next_drawing;
      d.first_shape_id = d.drawing_id * kShapeIdsPerDrawing;
      d.shape_count = static_cast<uint32_t>(std::min<size_t>(shapes, kShapeIdsPerDrawing - 1)) + 1;
    }
    plan.sheets.push_back(d);
  }
  if (next_drawing) plan.group = drawing_group(workbook, plan.sheets);
  return plan;
}

void write_objects(biff::RecordWriter& out, const model::Sheet& sheet, const SheetDrawing& drawing) {
  if (drawing.drawing_id) SheetDrawingWriter(out, sheet, drawing).run();
}

void write_notes(biff::RecordWriter& out, const model::Sheet& sheet) {
  const std::vector<uint16_t> ids = comment_object_ids(sheet);
  for (size_t i = 0; i < sheet.comments.size(); ++i) {
    const model::Comment& c = sheet.comments[i];
    biff::PayloadBuilder p;
    p.u16(static_cast<uint16_t>(c.cell.row));
    p.u16(static_cast<uint16_t>(c.cell.col));
    p.u16(c.visible ? 0x0002 : 0);
    p.u16(ids[i]);
    biff::append_string(p, c.author);
    p.u8(0);
    out.write(rt::Note, p);
  }
}

}  // namespace tabrel::xls
