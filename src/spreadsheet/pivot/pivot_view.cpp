#include "spreadsheet/pivot/pivot_view.h"

#include <algorithm>

#include "spreadsheet/biff/format_error.h"
#include "spreadsheet/biff/record.h"
#include "spreadsheet/biff/record_cursor.h"
#include "spreadsheet/pivot/pivot_records.h"

namespace tabrel::pivot {
namespace {

constexpr uint32_t kCompactField = 0x00400000;  // SXVDEX: the field shares the compact row column

biff::Record as_record(const model::RawRecord& raw) {
  biff::Record r;
  r.type = raw.id;
  r.data = raw.payload;
  r.boundaries.assign(raw.continue_offsets.begin(), raw.continue_offsets.end());
  r.continue_offsets.assign(raw.continue_offsets.size(), 0);
  return r;
}

int16_t s16(biff::RecordCursor& c) { return static_cast<int16_t>(c.u16()); }

// A name field: 0xFFFF for none, else that many characters after a flag byte.
std::optional<std::u16string> optional_name(biff::RecordCursor& c, uint16_t count) {
  if (count == kNoName) return std::nullopt;
  const uint8_t flags = c.u8();
  return c.chars(count, (flags & 0x1) != 0);
}

std::u16string name_of(biff::RecordCursor& c, uint16_t count) {
  if (count == 0) return {};
  return optional_name(c, count).value_or(std::u16string());
}

void read_header(const model::RawRecord& raw, PivotView& view, uint16_t& dims, uint16_t& row_dims,
                 uint16_t& column_dims, uint16_t& page_dims, uint16_t& data_dims) {
  const biff::Record rec = as_record(raw);
  biff::RecordCursor c(rec);
  view.area.first.row = c.u16();
  view.area.last.row = c.u16();
  view.area.first.col = c.u16();
  view.area.last.col = c.u16();
  view.first_header_row = c.u16();
  view.first_data_row = c.u16();
  view.first_data_col = c.u16();
  view.cache = c.u16();
  c.skip(2);
  view.data_axis = c.u16();
  c.skip(2);  // ipos4Data
  dims = c.u16();
  row_dims = c.u16();
  column_dims = c.u16();
  page_dims = c.u16();
  data_dims = c.u16();
  c.skip(4);  // cRw, cCol
  view.flags = c.u16();
  c.skip(2);  // itblAutoFmt
  const uint16_t name_length = c.u16();
  const uint16_t data_length = c.u16();
  view.name = name_of(c, name_length);
  view.data_caption = name_of(c, data_length);
  const auto& a = view.area;
  if (a.last.row < a.first.row || a.last.col < a.first.col || a.last.row >= model::kMaxRows ||
      a.last.col >= model::kMaxColumns || view.first_data_row < a.first.row || view.first_data_row > a.last.row ||
      view.first_data_col < a.first.col || view.first_data_col > a.last.col ||
      view.first_header_row < a.first.row || view.first_header_row > view.first_data_row)
    throw PivotError("the table's area does not hold together");
}

ViewField read_field(biff::RecordCursor& c, uint16_t& item_count) {
  ViewField f;
  f.axis = c.u16();
  c.skip(2);  // cSub
  f.subtotals = c.u16();
  item_count = c.u16();
  f.caption = optional_name(c, c.u16());
  return f;
}

ViewItem read_item(biff::RecordCursor& c) {
  ViewItem item;
  item.type = c.u16();
  item.hidden = (c.u16() & 0x1) != 0;
  item.cache_index = s16(c);
  item.caption = optional_name(c, c.u16());
  return item;
}

DataField read_data_field(biff::RecordCursor& c) {
  DataField d;
  d.field = s16(c);
  d.function = c.u16();
  c.skip(6);  // df, isxvd, isxvi: the "show values as" base
  d.number_format = c.u16();
  d.caption = optional_name(c, c.u16());
  return d;
}

std::vector<int16_t> read_indexes(biff::RecordCursor& c) {
  std::vector<int16_t> out;
  while (c.remaining() >= 2) out.push_back(s16(c));
  return out;
}

void check_field(const PivotView& view, int16_t field, bool data_allowed) {
  if (data_allowed && field == kDataFieldIndex) return;
  if (field < 0 || static_cast<size_t>(field) >= view.fields.size())
    throw PivotError("a field index is out of range");
}

void check_view(const PivotView& view, uint16_t dims, uint16_t rows, uint16_t cols, uint16_t pages,
                uint16_t datas) {
  if (view.fields.size() != dims || view.row_fields.size() != rows || view.column_fields.size() != cols ||
      view.page_fields.size() != pages || view.data_fields.size() != datas)
    throw PivotError("the field counts disagree with the records");
  for (int16_t f : view.row_fields) check_field(view, f, true);
  for (int16_t f : view.column_fields) check_field(view, f, true);
  for (const DataField& d : view.data_fields) check_field(view, d.field, false);
  for (const PageField& p : view.page_fields) {
    check_field(view, p.field, false);
    if (p.item != kAllItems && (p.item < 0 || static_cast<size_t>(p.item) >= view.fields[p.field].items.size()))
      throw PivotError("a page field's item is out of range");
  }
  if (pages > 0 && view.area.first.row < pages + 1) throw PivotError("no room above the table for its page fields");
}

void put_u16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  if (at + 2 > bytes.size()) throw PivotError("record too short");
  bytes[at] = static_cast<uint8_t>(value & 0xFF);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

std::optional<model::RangeRef> PivotView::page_area() const {
  if (page_fields.empty()) return std::nullopt;
  const int first = area.first.row - 1 - static_cast<int>(page_fields.size());
  return model::RangeRef{{first, area.first.col}, {area.first.row - 2, area.first.col + 1}};
}

bool PivotView::compact() const {
  if (row_fields.empty()) return false;
  const int16_t f = row_fields.front();
  if (f < 0) return false;
  return (fields[f].extra_flags & kCompactField) != 0 || (row_fields.size() > 1 && first_data_col == area.first.col + 1);
}

std::vector<size_t> view_records(const model::Sheet& sheet) {
  std::vector<size_t> out;
  for (size_t i = 0; i < sheet.other_records.size(); ++i)
    if (sheet.other_records[i].id == kSxView) out.push_back(i);
  return out;
}

PivotView read_view(const model::Sheet& sheet, size_t record) {
  const auto& records = sheet.other_records;
  if (record >= records.size() || records[record].id != kSxView) throw PivotError("no pivot table here");
  PivotView view;
  view.record = record;
  uint16_t dims = 0, rows = 0, cols = 0, pages = 0, datas = 0;
  try {
    read_header(records[record], view, dims, rows, cols, pages, datas);
    size_t items_left = 0;
    bool rows_read = rows == 0;
    for (size_t i = record + 1; i < records.size() && records[i].id != kSxView; ++i) {
      const biff::Record rec = as_record(records[i]);
      biff::RecordCursor c(rec);
      switch (rec.type) {
        case kSxvd: {
          if (items_left != 0) throw PivotError("a field has fewer items than it counts");
          uint16_t count = 0;
          view.fields.push_back(read_field(c, count));
          items_left = count;
          break;
        }
        case kSxvi:
          if (view.fields.empty() || items_left == 0) throw PivotError("an item outside its field");
          view.fields.back().items.push_back(read_item(c));
          --items_left;
          break;
        case kSxvdEx:
          if (!view.fields.empty()) view.fields.back().extra_flags = c.u32();
          break;
        case kSxivd:
          if (!rows_read) {
            view.row_fields = read_indexes(c);
            rows_read = true;
          } else {
            view.column_fields = read_indexes(c);
          }
          break;
        case kSxpi:
          for (size_t entry = 0; c.remaining() >= 6; ++entry) {
            PageField p;
            p.field = s16(c);
            p.item = s16(c);
            c.skip(2);  // idObj
            p.record = i;
            p.entry = entry;
            view.page_fields.push_back(p);
          }
          break;
        case kSxdi: view.data_fields.push_back(read_data_field(c)); break;
        default: break;
      }
    }
    if (items_left != 0) throw PivotError("a field has fewer items than it counts");
  } catch (const biff::FormatError&) {
    throw PivotError("a pivot record is too short");
  }
  check_view(view, dims, rows, cols, pages, datas);
  return view;
}

void store_page_item(model::Sheet& sheet, const PageField& page, int16_t item) {
  if (page.record >= sheet.other_records.size() || sheet.other_records[page.record].id != kSxpi)
    throw PivotError("the page record moved");
  put_u16(sheet.other_records[page.record].payload, page.entry * 6 + 2, static_cast<uint16_t>(item));
}

void store_area(model::Sheet& sheet, const PivotView& view, const model::RangeRef& area) {
  if (view.record >= sheet.other_records.size() || sheet.other_records[view.record].id != kSxView)
    throw PivotError("the view record moved");
  auto& bytes = sheet.other_records[view.record].payload;
  put_u16(bytes, 0, static_cast<uint16_t>(area.first.row));
  put_u16(bytes, 2, static_cast<uint16_t>(area.last.row));
  put_u16(bytes, 4, static_cast<uint16_t>(area.first.col));
  put_u16(bytes, 6, static_cast<uint16_t>(area.last.col));
}

}  // namespace tabrel::pivot
