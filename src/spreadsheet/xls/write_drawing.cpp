#include "spreadsheet/xls/write_drawing.h"

#include <algorithm>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/strings.h"
#include "spreadsheet/xls/write_chart.h"
#include "spreadsheet/xls/write_objects.h"
#include "spreadsheet/xls/write_office_art.h"
#include "spreadsheet/xls/write_raw_records.h"
#include "spreadsheet/xls/write_shapes.h"

namespace tabrel::xls {
namespace {

namespace oa = office_art;
using oa::put_u16;
using oa::put_u32;
namespace rt = biff::rt;

constexpr uint32_t kShapeIdsPerCluster = 1024;
constexpr uint16_t kCommentObject = 25;

bool stored_shape(const model::DrawingObject& d) { return oa::client_data_end(d.shape_bytes).has_value(); }

bool has_obj_record(const model::DrawingObject& d) {
  return std::any_of(d.obj_records.begin(), d.obj_records.end(), [](const auto& r) { return r.id == rt::Obj; });
}

bool is_comment_shape(const model::Sheet& sheet, size_t index) {
  return std::any_of(sheet.comments.begin(), sheet.comments.end(),
                     [&](const model::Comment& c) { return c.drawing_index == static_cast<int>(index); });
}

// Where an object's shape and records come from: the shape kept from the file; a shape made
// from its anchor for the OBJ records kept (the drawing layer lost); both made for an object
// built in memory; or not written here (comments make their own).
enum class ShapeSource { Stored, Made, Authored, None };

ShapeSource shape_source(const model::Sheet& sheet, size_t index) {
  const model::DrawingObject& d = sheet.drawings[index];
  if (is_comment_shape(sheet, index)) return stored_shape(d) ? ShapeSource::Stored : ShapeSource::None;
  if (stored_shape(d)) return ShapeSource::Stored;
  if (has_obj_record(d)) return ShapeSource::Made;
  return d.obj_records.empty() && can_make_obj(d.object_type) ? ShapeSource::Authored : ShapeSource::None;
}

// Objects built in memory show a text box when they carry text or are made for one.
bool made_text_box(const model::DrawingObject& d) {
  return has_text_object(d.object_type) && (!d.text.text.empty() || d.object_type == 6 || d.object_type == 7);
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

// Object ids of the drawings and of the comments, in order: the stored one, or a fresh one past
// every id in use.
struct ObjectIds {
  std::vector<uint16_t> drawings, comments;
};

ObjectIds object_ids(const model::Sheet& sheet) {
  uint16_t next = 0;
  for (const model::DrawingObject& d : sheet.drawings) next = std::max(next, d.object_id);
  for (const model::Comment& c : sheet.comments) next = std::max(next, c.object_id);
  ObjectIds ids;
  for (const model::DrawingObject& d : sheet.drawings) ids.drawings.push_back(d.object_id ? d.object_id : ++next);
  for (const model::Comment& c : sheet.comments) ids.comments.push_back(c.object_id ? c.object_id : ++next);
  return ids;
}

class SheetDrawingWriter {
 public:
  SheetDrawingWriter(biff::RecordWriter& out, const model::Sheet& sheet, const SheetDrawing& drawing,
                     const std::map<size_t, std::vector<uint8_t>>& macro_tokens)
      : out_(out), sheet_(sheet), drawing_(drawing), macro_tokens_(macro_tokens),
        next_shape_id_(drawing.first_shape_id + 1) {}

  void run() {
    pending_ = container_prefix();
    const ObjectIds ids = object_ids(sheet_);
    for (size_t i = 0; i < sheet_.drawings.size(); ++i) {
      const model::DrawingObject& d = sheet_.drawings[i];
      switch (shape_source(sheet_, i)) {
        case ShapeSource::Stored: {
          std::vector<uint8_t> shape = d.shape_bytes;
          oa::set_shape_id(shape, next_shape_id_++);
          oa::update_shape(shape, d.anchor, d.hidden);
          const size_t cut = *oa::client_data_end(shape);
          write_object(d, std::span<const uint8_t>(shape).first(cut), std::span<const uint8_t>(shape).subspan(cut));
          break;
        }
        case ShapeSource::Made: {
          const ShapeParts parts = object_shape(next_shape_id_++, d, has_text(d));
          write_object(d, parts.head, parts.tail);
          break;
        }
        case ShapeSource::Authored: {
          const ShapeParts parts = object_shape(next_shape_id_++, d, made_text_box(d));
          flush(parts.head);
          const auto made = macro_tokens_.find(i);
          out_.write(rt::Obj, drawing_obj(d, ids.drawings[i], made != macro_tokens_.end() ? made->second : d.macro_tokens));
          write_chart(d);
          if (!parts.tail.empty()) {
            flush(parts.tail);
            write_text_object(out_, d.text, d.object_type);
          }
          break;
        }
        case ShapeSource::None: break;
      }
    }
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
      out_.write(rt::Obj, comment_obj(ids.comments[index]));
      flush(parts.tail);
      write_text_object(out_, c->text, kCommentObject);
    }
  }

  static bool has_text(const model::DrawingObject& d) {
    return std::any_of(d.obj_records.begin(), d.obj_records.end(), [](const auto& r) { return r.id == rt::TxO; });
  }

  // The OBJ record (and an embedded chart's substream) after the shape's head, the text box
  // records after its tail.
  // A comment whose text no longer matches its stored text box gets a new TXO record.
  void write_object(const model::DrawingObject& d, std::span<const uint8_t> head, std::span<const uint8_t> tail) {
    flush(head);
    const auto made = macro_tokens_.find(static_cast<size_t>(&d - sheet_.drawings.data()));
    for (const model::RawRecord& r : d.obj_records) {
      if (r.id != rt::Obj) continue;
      const auto renewed = made == macro_tokens_.end() ? std::nullopt : with_macro(r, made->second);
      write_raw(out_, renewed ? *renewed : r);
    }
    write_chart(d);
    if (!tail.empty()) flush(tail);
    const model::Comment* comment = comment_of(d);
    const bool new_text = comment && !(comment->text == d.text);
    for (const model::RawRecord& r : d.obj_records)
      if (r.id != rt::Obj && !(new_text && r.id == rt::TxO)) write_raw(out_, r);
    if (new_text) write_text_object(out_, comment->text, kCommentObject);
  }

  const model::Comment* comment_of(const model::DrawingObject& d) const {
    const auto index = static_cast<int>(&d - sheet_.drawings.data());
    for (const model::Comment& c : sheet_.comments)
      if (c.drawing_index == index) return &c;
    return nullptr;
  }

  void write_chart(const model::DrawingObject& d) {
    if (d.chart_index >= 0 && static_cast<size_t>(d.chart_index) < sheet_.embedded_charts.size())
      write_chart_data(out_, sheet_.embedded_charts[d.chart_index]);
  }

  // The drawing's container headers and its group shape, sent with the first shape.
  std::vector<uint8_t> container_prefix() const {
    uint32_t shapes_length = 0;
    for (size_t i = 0; i < sheet_.drawings.size(); ++i) {
      const model::DrawingObject& d = sheet_.drawings[i];
      const ShapeSource source = shape_source(sheet_, i);
      if (source == ShapeSource::Stored) shapes_length += static_cast<uint32_t>(d.shape_bytes.size());
      if (source == ShapeSource::Made || source == ShapeSource::Authored) {
        const bool text = source == ShapeSource::Made ? has_text(d) : made_text_box(d);
        const ShapeParts parts = object_shape(0, d, text);
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
  const std::map<size_t, std::vector<uint8_t>>& macro_tokens_;
  uint32_t next_shape_id_;
  std::vector<uint8_t> pending_;
};

std::vector<uint8_t> drawing_group(const model::Workbook& workbook, const std::vector<SheetDrawing>& sheets) {
  // One id cluster per 1024 shape ids a drawing uses.
  uint32_t drawings = 0, shapes = 0, max_id = 0, clusters = 0;
  std::vector<uint8_t> fdgg_tail;
  for (const SheetDrawing& s : sheets) {
    if (!s.drawing_id) continue;
    ++drawings;
    shapes += s.shape_count;
    max_id = std::max(max_id, s.first_shape_id + s.shape_count - 1);
    for (uint32_t left = s.shape_count; left > 0; left -= std::min(left, kShapeIdsPerCluster)) {
      put_u32(fdgg_tail, s.drawing_id);
      put_u32(fdgg_tail, std::min(left, kShapeIdsPerCluster));
      ++clusters;
    }
  }
  std::vector<uint8_t> body;
  std::vector<uint8_t> fdgg;
  put_u32(fdgg, max_id + 1);
  put_u32(fdgg, clusters + 1);
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
  uint32_t next_cluster = 1;  // shape ids below 1024 are not used
  for (const auto& sheet : workbook.sheets) {
    SheetDrawing d;
    const size_t shapes = sheet->kind == model::SheetKind::ChartSheet ? 0 : shapes_of(*sheet);
    if (shapes) {
      d.drawing_id = ++next_drawing;
      d.first_shape_id = next_cluster * kShapeIdsPerCluster;
      d.shape_count = static_cast<uint32_t>(shapes + 1);
      next_cluster += (d.shape_count + kShapeIdsPerCluster - 1) / kShapeIdsPerCluster;
    }
    plan.sheets.push_back(d);
  }
  if (next_drawing) plan.group = drawing_group(workbook, plan.sheets);
  return plan;
}

void write_objects(biff::RecordWriter& out, const model::Sheet& sheet, const SheetDrawing& drawing,
                   const std::map<size_t, std::vector<uint8_t>>& macro_tokens) {
  if (drawing.drawing_id) SheetDrawingWriter(out, sheet, drawing, macro_tokens).run();
}

void write_notes(biff::RecordWriter& out, const model::Sheet& sheet) {
  const std::vector<uint16_t> ids = object_ids(sheet).comments;
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
