#include "spreadsheet/xls/read_sheet.h"

#include <algorithm>
#include <unordered_map>

#include "spreadsheet/biff/format_error.h"
#include "spreadsheet/biff/record_cursor.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/strings.h"
#include "spreadsheet/xls/read_autofilter.h"
#include "spreadsheet/xls/read_cells.h"
#include "spreadsheet/xls/read_condfmt_records.h"
#include "spreadsheet/xls/read_drawing.h"
#include "spreadsheet/xls/read_sheet_layout.h"
#include "spreadsheet/xls/read_substream.h"

namespace tabrel::xls {

namespace {

namespace rt = biff::rt;

constexpr uint16_t kDialogSheetFlag = 0x0010;  // WSBOOL: the sheet is a dialog sheet
constexpr uint16_t kChartObject = 5;

class SheetReader {
 public:
  SheetReader(biff::RecordReader& reader, model::Sheet& sheet,
              const std::vector<model::CellValue::Text>& shared_strings)
      : reader_(reader), sheet_(sheet), cells_{sheet, shared_strings, {}}, condfmts_(sheet) {}

  void run() {
    while (reader_.next(rec_)) {
      if (rec_.type == rt::Eof) break;
      dispatch();
    }
    attach_shapes();
    attach_comments();
    if (sheet_.wsbool & kDialogSheetFlag && sheet_.kind == model::SheetKind::Worksheet)
      sheet_.kind = model::SheetKind::DialogSheet;
  }

 private:
  void dispatch() {
    if (in_custom_view()) {
      sheet_.other_records.push_back(take_raw_record(rec_));
      return;
    }
    if (read_cell_record(rec_, cells_) || read_layout_record(rec_, sheet_) || condfmts_.read(rec_)) return;
    switch (rec_.type) {
      case rt::BOF: read_embedded_chart(); break;
      case rt::MsoDrawing: drawing_.insert(drawing_.end(), rec_.data.begin(), rec_.data.end()); break;
      case rt::Obj: read_object(); break;
      case rt::TxO: read_text_box(); break;
      case rt::Note: read_comment(); break;
      case rt::AutoFilterInfo: autofilter().drop_downs = biff::RecordCursor(rec_).u16(); break;
      case rt::AutoFilter: autofilter().columns.push_back(read_autofilter_column(rec_)); break;
      case rt::FilterMode: autofilter().filter_mode = true; break;
      case rt::CodeName: {
        biff::RecordCursor c(rec_);
        sheet_.code_name = biff::read_string(c);
        break;
      }
      case rt::Dimensions: case rt::Index: case rt::DBCell: break;  // the writer derives them
      default: sheet_.other_records.push_back(take_raw_record(rec_));
    }
  }

  // A custom view holds its own selection and filter; they stay with the view, as stored, and
  // are not the sheet's.
  bool in_custom_view() {
    if (rec_.type == rt::UserSViewBegin) custom_view_ = true;
    const bool inside = custom_view_ && (rec_.type == rt::UserSViewBegin || rec_.type == rt::UserSViewEnd ||
                                         rec_.type == rt::Selection || rec_.type == rt::AutoFilterInfo ||
                                         rec_.type == rt::AutoFilter);
    if (rec_.type == rt::UserSViewEnd) custom_view_ = false;
    return inside;
  }

  model::AutoFilter& autofilter() {
    if (!sheet_.autofilter) sheet_.autofilter.emplace();
    return *sheet_.autofilter;
  }

  void read_embedded_chart() {
    model::ChartData chart;
    read_substream_rest(reader_, rec_, chart);
    sheet_.embedded_charts.push_back(std::move(chart));
    if (!sheet_.drawings.empty() && sheet_.drawings.back().object_type == kChartObject &&
        sheet_.drawings.back().chart_index < 0)
      sheet_.drawings.back().chart_index = static_cast<int>(sheet_.embedded_charts.size() - 1);
  }

  // Some writers continue the drawing in CONTINUE records after an OBJ record or after a text
  // box's own text and runs; those bytes go to the drawing, the record keeps the rest.
  void move_drawing_continuation(size_t own_end) {
    const auto first = std::lower_bound(rec_.boundaries.begin(), rec_.boundaries.end(), own_end);
    if (first == rec_.boundaries.end()) return;
    const size_t cut = *first;
    drawing_.insert(drawing_.end(), rec_.data.begin() + static_cast<long>(cut), rec_.data.end());
    const auto kept = static_cast<size_t>(first - rec_.boundaries.begin());
    rec_.data.resize(cut);
    rec_.boundaries.resize(kept);
    rec_.continue_offsets.resize(std::min(kept, rec_.continue_offsets.size()));
  }

  void read_object() {
    move_drawing_continuation(0);  // an OBJ record is never continued
    model::DrawingObject obj;
    read_obj(rec_, obj, sheet_.problems);
    obj.obj_records.push_back(raw_record(rec_));
    sheet_.drawings.push_back(std::move(obj));
  }

  // A text box whose text cannot be read is kept as stored, without its text.
  void read_text_box() {
    size_t own_end = 0;
    model::RichText text;
    try {
      text = read_txo(rec_, own_end);
    } catch (const biff::FormatError& e) {
      own_end = rec_.data.size();
      sheet_.problems.push_back(object_words() + ": its text cannot be read (" + e.what() + ")");
    }
    move_drawing_continuation(own_end);
    if (sheet_.drawings.empty()) {
      sheet_.other_records.push_back(raw_record(rec_));
      return;
    }
    auto& obj = sheet_.drawings.back();
    obj.text = std::move(text);
    obj.obj_records.push_back(raw_record(rec_));
  }

  // A comment whose record cannot be read is left out.
  void read_comment() {
    try {
      sheet_.comments.push_back(read_note(rec_));
    } catch (const biff::FormatError& e) {
      sheet_.problems.push_back(std::string("a comment cannot be read and is left out (") + e.what() + ")");
    }
  }

  // The object the records just read belong to, for the problems list.
  std::string object_words() const {
    if (sheet_.drawings.empty()) return "a text box without object";
    return "object " + std::to_string(sheet_.drawings.back().object_id);
  }

  // The n-th shape that has client data belongs to the n-th OBJ record.
  void attach_shapes() {
    const auto [shapes, damaged_at] = read_officeart_shapes(drawing_);
    if (damaged_at)
      sheet_.problems.push_back("the drawing has a damaged record at byte " + std::to_string(*damaged_at) +
                                " of its joined data; the shapes from there on are not read");
    size_t next = 0;
    for (const auto& shape : shapes) {
      if (!shape.has_client_data) continue;
      if (next == sheet_.drawings.size()) break;
      auto& obj = sheet_.drawings[next++];
      obj.shape_id = shape.shape_id;
      obj.autoshape_type = shape.shape_type;
      if (shape.anchor) obj.anchor = *shape.anchor;
      obj.name = shape.name;
      obj.alternative_text = shape.alternative_text;
      obj.adjustments = shape.adjustments;
      obj.rotation = shape.rotation;
      obj.hidden = shape.hidden;
      obj.shape_bytes.assign(drawing_.begin() + static_cast<long>(shape.begin),
                             drawing_.begin() + static_cast<long>(shape.end));
    }
    for (size_t i = next; i < sheet_.drawings.size(); ++i)
      sheet_.problems.push_back("object " + std::to_string(sheet_.drawings[i].object_id) +
                                " has no shape in the drawing: its place, name and shape type are unknown");
  }

  void attach_comments() {
    std::unordered_map<uint16_t, size_t> by_id;
    for (size_t i = sheet_.drawings.size(); i-- > 0;) by_id[sheet_.drawings[i].object_id] = i;
    for (auto& note : sheet_.comments) {
      auto it = by_id.find(note.object_id);
      if (it == by_id.end()) continue;
      note.drawing_index = static_cast<int>(it->second);
      note.text = sheet_.drawings[it->second].text;
    }
  }

  biff::RecordReader& reader_;
  model::Sheet& sheet_;
  CellContext cells_;
  CondFormatRecords condfmts_;
  biff::Record rec_;
  std::vector<uint8_t> drawing_;
  bool custom_view_ = false;  // between USERSVIEWBEGIN and USERSVIEWEND
};

}  // namespace

void read_sheet_substream(biff::RecordReader& reader, model::Sheet& sheet,
                          const std::vector<model::CellValue::Text>& shared_strings) {
  biff::Record bof;
  if (!reader.next(bof) || bof.type != rt::BOF) throw biff::FormatError(reader.position(), "sheet does not start with BOF");
  biff::RecordCursor c(bof);
  c.skip(2);
  const uint16_t kind = c.u16();
  if (kind == kChartSubstream) {
    sheet.kind = model::SheetKind::ChartSheet;
    read_substream_rest(reader, bof, sheet.chart);
    return;
  }
  if (kind == kMacroSheetSubstream) sheet.kind = model::SheetKind::MacroSheet;
  SheetReader(reader, sheet, shared_strings).run();
}

}  // namespace tabrel::xls
