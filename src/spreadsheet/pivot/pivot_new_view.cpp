#include "spreadsheet/pivot/pivot_new_view.h"

#include <algorithm>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/pivot/pivot_bytes.h"
#include "spreadsheet/pivot/pivot_captions.h"
#include "spreadsheet/pivot/pivot_records.h"

namespace tabrel::pivot {
namespace {

constexpr uint16_t kSxli = 0x00B5, kSxEx = 0x00F1;
constexpr size_t kMaxPayload = 8224;  // longer records go on in CONTINUE records
constexpr uint16_t kSubtotalItemType = 0x0001;  // SXVI item type of the field's subtotal
constexpr uint32_t kClassicFieldFlags = 0x0A80141E;  // SXVDEX: the field in the classic (tabular) form
constexpr uint16_t kGrandTotals = 0x0003;        // a grand-total row and column

int rank(const CacheValue& v) {
  switch (v.kind) {
    case CacheValue::Kind::Number: return 0;
    case CacheValue::Kind::Text: return 1;
    case CacheValue::Kind::Boolean: return 2;
    case CacheValue::Kind::Error: return 3;
    default: return 4;
  }
}

// Items in ascending order as the spreadsheet lists them in a new table: numbers, then texts
// without regard to letter case, logical values, errors, and the empty item last.
std::vector<int16_t> sorted_items(const CacheField& field) {
  std::vector<int16_t> order(field.items.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int16_t>(i);
  std::stable_sort(order.begin(), order.end(), [&](int16_t a, int16_t b) {
    const CacheValue& x = field.items[static_cast<size_t>(a)];
    const CacheValue& y = field.items[static_cast<size_t>(b)];
    if (rank(x) != rank(y)) return rank(x) < rank(y);
    if (x.kind == CacheValue::Kind::Text) return upper(x.text) < upper(y.text);
    return x.number < y.number;
  });
  return order;
}

void check_cache_field(const PivotCache& cache, int16_t field) {
  if (field < 0 || static_cast<size_t>(field) >= cache.source_fields) throw PivotError("the table names a field its cache lacks");
}

void optional_text(PivotBytes& b, const std::optional<std::u16string>& text) {
  if (!text) {
    b.u16(kNoName);
    return;
  }
  b.counted(*text);
}

std::vector<uint8_t> view_header(const PivotView& view, size_t row_lines, size_t column_lines) {
  PivotBytes b;
  b.u16(static_cast<uint16_t>(view.area.first.row));
  b.u16(static_cast<uint16_t>(view.area.last.row));
  b.u16(static_cast<uint16_t>(view.area.first.col));
  b.u16(static_cast<uint16_t>(view.area.last.col));
  b.u16(static_cast<uint16_t>(view.first_header_row));
  b.u16(static_cast<uint16_t>(view.first_data_row));
  b.u16(static_cast<uint16_t>(view.first_data_col));
  b.u16(view.cache);
  b.u16(0);
  b.u16(view.data_axis);
  const auto data_at = std::find(view.column_fields.begin(), view.column_fields.end(), kDataFieldIndex);
  b.u16(data_at == view.column_fields.end() ? 0xFFFF : static_cast<uint16_t>(data_at - view.column_fields.begin()));
  b.u16(static_cast<uint16_t>(view.fields.size()));
  b.u16(static_cast<uint16_t>(view.row_fields.size()));
  b.u16(static_cast<uint16_t>(view.column_fields.size()));
  b.u16(static_cast<uint16_t>(view.page_fields.size()));
  b.u16(static_cast<uint16_t>(view.data_fields.size()));
  b.u16(static_cast<uint16_t>(row_lines));
  b.u16(static_cast<uint16_t>(column_lines));
  b.u16(view.flags);
  b.u16(1);  // the automatic format of a new table
  b.u16(static_cast<uint16_t>(view.name.size()));
  b.u16(static_cast<uint16_t>(view.data_caption.size()));
  if (!view.name.empty()) b.chars(view.name);
  if (!view.data_caption.empty()) b.chars(view.data_caption);
  return b.take();
}

std::vector<uint8_t> indexes(const std::vector<int16_t>& fields) {
  PivotBytes b;
  for (int16_t f : fields) b.u16(static_cast<uint16_t>(f));
  return b.take();
}

// An SXLI record: each line repeats how many leading entries it shares with the line before
// (fewer than it shows), then its type, shown count, flags and entries. Cut into CONTINUE parts
// between lines.
model::RawRecord lines_record(const std::vector<PivotLine>& lines) {
  model::RawRecord out;
  out.id = kSxli;
  const PivotLine* previous = nullptr;
  for (const PivotLine& line : lines) {
    uint16_t same = 0;
    if (previous)
      while (same + 1 < line.shown && same < previous->items.size() && same < line.items.size() &&
             previous->items[same] == line.items[same])
        ++same;
    PivotBytes b;
    b.u16(same);
    b.u16(line.type);
    b.u16(line.shown);
    b.u16(line.flags);
    for (int16_t item : line.items) b.u16(static_cast<uint16_t>(item));
    const std::vector<uint8_t> bytes = b.take();
    const size_t part_begin = out.continue_offsets.empty() ? 0 : out.continue_offsets.back();
    if (out.payload.size() - part_begin + bytes.size() > kMaxPayload)
      out.continue_offsets.push_back(static_cast<uint32_t>(out.payload.size()));
    out.payload.insert(out.payload.end(), bytes.begin(), bytes.end());
    previous = &line;
  }
  return out;
}

bool belongs_to_view(uint16_t id) {
  namespace rt = biff::rt;
  return (id > rt::SxView && id <= rt::SXPI) || id == rt::SXDI || id == rt::SXEx || id == rt::SxFormat ||
         id == rt::SxSelect || id == rt::SxRule || id == rt::SxFilt || id == rt::SxDXF || id == rt::SxItm ||
         id == rt::SXVDEx || id == rt::QsiSXTag || id == rt::DBQueryExt || id == rt::ExtString ||
         (id >= rt::SXViewEx && id <= rt::SXViewEx9) || id == rt::SXAddl;
}

uint16_t field_format(const PivotView& view, size_t field) {
  for (const DataField& d : view.data_fields)
    if (static_cast<size_t>(d.field) == field) return d.number_format;
  return 0;
}

}  // namespace

PivotView new_view(const PivotCache& cache, uint16_t cache_index, const PivotSpec& spec, model::CellRef at) {
  PivotView view;
  view.cache = cache_index;
  view.name = spec.name;
  view.data_caption = kDataCaption;
  view.flags = kGrandTotals;
  view.data_axis = kAxisColumn;
  view.fields.resize(cache.fields.size());

  std::vector<bool> on_axis(cache.fields.size(), false);
  auto place = [&](const std::vector<int16_t>& fields, uint16_t axis) {
    for (int16_t f : fields) {
      check_cache_field(cache, f);
      if (on_axis[static_cast<size_t>(f)]) throw PivotError("a field stands on two areas of the table");
      on_axis[static_cast<size_t>(f)] = true;
      ViewField& vf = view.fields[static_cast<size_t>(f)];
      vf.axis = axis;
      for (int16_t item : sorted_items(cache.fields[static_cast<size_t>(f)])) {
        ViewItem vi;
        vi.cache_index = item;
        vf.items.push_back(vi);
      }
      ViewItem subtotal;
      subtotal.type = kSubtotalItemType;
      vf.items.push_back(subtotal);
    }
  };
  place(spec.row_fields, kAxisRow);
  place(spec.column_fields, kAxisColumn);
  place(spec.page_fields, kAxisPage);
  for (ViewField& f : view.fields) {
    f.subtotals = 1;
    f.extra_flags = kClassicFieldFlags;
  }
  for (const DataFieldSpec& d : spec.data_fields) {
    check_cache_field(cache, d.field);
    if (d.function > 10) throw PivotError("no such summary function");
    view.fields[static_cast<size_t>(d.field)].axis |= kAxisData;
    DataField df;
    df.field = d.field;
    df.function = d.function;
    df.number_format = d.number_format;
    df.caption = d.caption ? *d.caption : data_caption(d.function, cache.fields[static_cast<size_t>(d.field)].name);
    view.data_fields.push_back(df);
  }

  view.row_fields = spec.row_fields;
  view.column_fields = spec.column_fields;
  if (view.data_fields.size() > 1) view.column_fields.push_back(kDataFieldIndex);
  for (int16_t f : spec.page_fields) view.page_fields.push_back({f, kAllItems, 0, 0});
  const int pages = static_cast<int>(spec.page_fields.size());
  if (pages > 0 && at.row < pages + 1) throw PivotError("no room above the table for its page fields");

  view.area = {at, at};
  // The first line of column items; without a column field the first line of data.
  view.first_header_row = view.column_fields.empty() ? at.row + 2 : at.row + 1;
  view.first_data_row = at.row + 2;
  view.first_data_col = at.col + std::max<int>(1, static_cast<int>(spec.row_fields.size()));
  view.area.last = {view.first_data_row, view.first_data_col};
  return view;
}

size_t add_view_records(model::Sheet& sheet, const PivotView& view, const PivotLayout& layout,
                        std::optional<size_t> position) {
  std::vector<model::RawRecord> out;
  out.push_back(raw(kSxView, view_header(view, layout.row_lines.size(), layout.column_lines.size())));
  for (size_t f = 0; f < view.fields.size(); ++f) {
    const ViewField& field = view.fields[f];
    PivotBytes vd;
    vd.u16(field.axis);
    vd.u16(1);
    vd.u16(field.subtotals);
    vd.u16(static_cast<uint16_t>(field.items.size()));
    optional_text(vd, field.caption);
    out.push_back(raw(kSxvd, vd.take()));
    for (const ViewItem& item : field.items) {
      PivotBytes vi;
      vi.u16(item.type);
      vi.u16(item.hidden ? 1 : 0);
      vi.u16(static_cast<uint16_t>(item.cache_index));
      optional_text(vi, item.caption);
      out.push_back(raw(kSxvi, vi.take()));
    }
    PivotBytes ex;
    ex.u32(field.extra_flags);
    ex.u16(0xFFFF);  // no automatic sort by a data field
    ex.u16(0xFFFF);  // no automatic top items
    ex.u16(field_format(view, f));
    ex.u16(kNoName);
    for (int i = 0; i < 8; ++i) ex.u8(0);
    out.push_back(raw(kSxvdEx, ex.take()));
  }
  if (!view.row_fields.empty()) out.push_back(raw(kSxivd, indexes(view.row_fields)));
  if (!view.column_fields.empty()) out.push_back(raw(kSxivd, indexes(view.column_fields)));
  if (!view.page_fields.empty()) {
    PivotBytes pi;
    for (const PageField& p : view.page_fields) {
      pi.u16(static_cast<uint16_t>(p.field));
      pi.u16(static_cast<uint16_t>(p.item));
      pi.u16(0);
    }
    out.push_back(raw(kSxpi, pi.take()));
  }
  for (const DataField& d : view.data_fields) {
    PivotBytes di;
    di.u16(static_cast<uint16_t>(d.field));
    di.u16(d.function);
    di.u16(0);  // shown as plain values
    di.u16(0);
    di.u16(0);
    di.u16(d.number_format);
    optional_text(di, d.caption);
    out.push_back(raw(kSxdi, di.take()));
  }
  if (!layout.row_lines.empty() || !layout.column_lines.empty()) {
    out.push_back(lines_record(layout.row_lines));
    out.push_back(lines_record(layout.column_lines));
  }
  PivotBytes ex;
  ex.u16(0);       // no formats of parts of the table
  ex.u16(kNoName);  // no error text
  ex.u16(kNoName);  // no text for empty cells
  ex.u16(kNoName);  // no tag
  ex.u16(0);       // no selection
  ex.u16(static_cast<uint16_t>(view.page_fields.size()));
  ex.u16(view.page_fields.empty() ? 0 : 1);
  ex.u16(0x0200);
  ex.u16(0x004F);
  ex.u16(kNoName);
  ex.u16(kNoName);
  ex.u16(kNoName);
  out.push_back(raw(kSxEx, ex.take()));

  const size_t at = std::min(position.value_or(sheet.other_records.size()), sheet.other_records.size());
  sheet.other_records.insert(sheet.other_records.begin() + static_cast<long>(at), out.begin(), out.end());
  return at;
}

void remove_view_records(model::Sheet& sheet, size_t record) {
  auto& records = sheet.other_records;
  if (record >= records.size() || records[record].id != kSxView) throw PivotError("no pivot table here");
  size_t end = record + 1;
  while (end < records.size() && belongs_to_view(records[end].id)) ++end;
  records.erase(records.begin() + static_cast<long>(record), records.begin() + static_cast<long>(end));
}

}  // namespace tabrel::pivot
