#include "spreadsheet/xls/read_sheet_layout.h"

#include <algorithm>

#include "spreadsheet/biff/record_cursor.h"
#include "spreadsheet/biff/records.h"

namespace tabrel::xls {

namespace {

namespace rt = biff::rt;

std::vector<uint8_t> whole(const biff::Record& rec) { return rec.data; }

void read_row(biff::RecordCursor& c, model::Sheet& sheet) {
  const uint16_t row = c.u16();
  c.skip(4);  // first and last column
  const uint16_t height = c.u16();
  c.skip(4);
  const uint32_t flags = c.u32();
  model::RowInfo info;
  info.height = height & 0x7FFF;
  info.default_height = height & 0x8000;
  info.outline_level = flags & 0x07;
  info.collapsed = flags & 0x10;
  info.hidden = flags & 0x20;
  info.custom_height = flags & 0x40;
  info.has_xf = flags & 0x80;
  info.xf = (flags >> 16) & 0x0FFF;
  sheet.rows[row] = info;
}

void read_colinfo(biff::RecordCursor& c, model::Sheet& sheet) {
  model::ColumnInfo info;
  info.first = c.u16();
  info.last = c.u16();
  info.width = c.u16();
  info.xf = c.u16();
  const uint16_t flags = c.u16();
  info.hidden = flags & 0x0001;
  info.custom_width = flags & 0x0002;
  info.best_fit = flags & 0x0004;
  info.outline_level = (flags >> 8) & 0x07;
  info.collapsed = flags & 0x1000;
  if (info.first > info.last || info.first >= model::kMaxColumns) return;  // nothing in the sheet
  info.last = std::min(info.last, model::kMaxColumns - 1);
  // Keep the list sorted and free of overlaps: a later record wins over the columns it covers.
  auto& cols = sheet.columns;
  std::vector<model::ColumnInfo> kept;
  kept.reserve(cols.size() + 2);
  for (const auto& old : cols) {
    if (old.last < info.first || old.first > info.last) {
      kept.push_back(old);
      continue;
    }
    if (old.first < info.first) {
      auto left = old;
      left.last = info.first - 1;
      kept.push_back(left);
    }
    if (old.last > info.last) {
      auto right = old;
      right.first = info.last + 1;
      kept.push_back(right);
    }
  }
  kept.push_back(info);
  std::sort(kept.begin(), kept.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  cols = std::move(kept);
}

model::RangeRef read_ref8(biff::RecordCursor& c) {
  model::RangeRef r;
  r.first.row = c.u16();
  r.last.row = c.u16();
  r.first.col = c.u16();
  r.last.col = c.u16();
  return r;
}

bool in_sheet(const model::RangeRef& r) {
  return r.first.row <= r.last.row && r.first.col <= r.last.col && r.last.col < model::kMaxColumns &&
         r.last.row < model::kMaxRows;
}

void read_merges(biff::RecordCursor& c, model::Sheet& sheet) {
  const uint16_t count = c.u16();
  if (static_cast<size_t>(count) * 8 > c.remaining()) c.fail("MERGECELLS: more ranges than bytes");
  for (uint16_t i = 0; i < count; ++i) {
    const auto r = read_ref8(c);
    if (in_sheet(r)) sheet.merges.push_back(r);
  }
}

void read_window2(biff::RecordCursor& c, model::Sheet& sheet) {
  auto& v = sheet.view;
  const uint16_t flags = c.u16();
  v.window2_flags = flags;
  v.show_gridlines = flags & 0x0002;
  v.show_headers = flags & 0x0004;
  v.frozen = flags & 0x0008;
  v.show_zeros = flags & 0x0010;
  v.right_to_left = flags & 0x0040;
  v.selected = flags & 0x0200;
  v.active = flags & 0x0400;
  v.top_left.row = c.u16();
  v.top_left.col = c.u16();
}

void read_zoom(biff::RecordCursor& c, model::Sheet& sheet) {
  const uint16_t num = c.u16();
  const uint16_t den = c.u16();
  if (den != 0) sheet.view.zoom_percent = static_cast<uint16_t>(std::min(100u * num / den, 400u));
}

void read_selection(biff::RecordCursor& c, model::Sheet& sheet) {
  model::Selection s;
  s.pane = c.u8();
  s.active.row = c.u16();
  s.active.col = c.u16();
  s.active_index = c.u16();
  const uint16_t count = c.u16();
  if (static_cast<size_t>(count) * 6 > c.remaining()) c.fail("SELECTION: more ranges than bytes");
  for (uint16_t i = 0; i < count; ++i) {
    model::RangeRef r;
    r.first.row = c.u16();
    r.last.row = c.u16();
    r.first.col = c.u8();
    r.last.col = c.u8();
    s.ranges.push_back(r);
  }
  sheet.view.selections.push_back(std::move(s));
}

}  // namespace

bool read_layout_record(const biff::Record& rec, model::Sheet& sheet) {
  biff::RecordCursor c(rec);
  switch (rec.type) {
    case rt::Row: read_row(c, sheet); break;
    case rt::ColInfo: read_colinfo(c, sheet); break;
    case rt::DefColWidth: sheet.default_column_width = c.u16(); break;
    case rt::DxGCol: sheet.standard_width = c.u16(); break;
    case rt::DefaultRowHeight:
      sheet.default_row_flags = c.u16();
      sheet.default_row_height = c.u16();
      break;
    case rt::WsBool: sheet.wsbool = c.u16(); break;
    case rt::Guts: sheet.guts = whole(rec); break;
    case rt::MergeCells: read_merges(c, sheet); break;
    case rt::Window2: read_window2(c, sheet); break;
    case rt::Scl: read_zoom(c, sheet); break;
    case rt::Selection: read_selection(c, sheet); break;
    case rt::Pane: sheet.view.pane = whole(rec); break;
    case rt::PhoneticInfo: sheet.phonetic_settings = whole(rec); break;
    default: return false;
  }
  return true;
}

}  // namespace tabrel::xls
