#include "spreadsheet/automation/pivot_tables.h"

#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/pivot_arrangement.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/print.h"
#include "spreadsheet/pivot/pivot_cache.h"
#include "spreadsheet/pivot/pivot_captions.h"
#include "spreadsheet/pivot/pivot_layout.h"
#include "spreadsheet/pivot/pivot_new_view.h"
#include "spreadsheet/pivot/pivot_source.h"
#include "spreadsheet/pivot/pivot_view.h"

namespace tabrel::xl {
namespace {

std::u16string shown_text(const pivot::CacheValue& v) {
  switch (v.kind) {
    case pivot::CacheValue::Kind::Text: return v.text;
    case pivot::CacheValue::Kind::Number: return formula::number_text(v.number);
    case pivot::CacheValue::Kind::Boolean: return v.number != 0 ? u"TRUE" : u"FALSE";
    default: return {};
  }
}

// The view item of a page field whose caption is `text`, letter case ignored; kAllItems for
// "(모두)".
int16_t page_item_named(const pivot::PivotView& view, const pivot::PivotCache& cache, int16_t field,
                        const std::u16string& text) {
  if (text == pivot::kAllItemsCaption) return pivot::kAllItems;
  const auto& items = view.fields[field].items;
  const std::u16string wanted = upper(text);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].type != 0) continue;
    if (upper(shown_text(pivot::item_caption(view, cache, field, static_cast<int16_t>(i)))) == wanted)
      return static_cast<int16_t>(i);
  }
  raise(Fault::MethodFailed);
}

// Lays the table out again with page field `page` on `item` and writes its cells.
void select_page_item(const SheetHandle& handle, const pivot::PivotView& view, size_t page, const Variant& value) {
  model::Sheet& sheet = handle.get();
  model::Workbook& wb = handle.workbook();
  pivot::PivotLayout layout;
  int16_t item = 0;
  try {
    const pivot::PivotCache cache = pivot::read_cache(wb, view.cache);
    const std::u16string text = value.is_string() ? value.str() : value.to_string();
    item = page_item_named(view, cache, view.page_fields[page].field, text);
    std::vector<int16_t> items;
    for (const auto& p : view.page_fields) items.push_back(p.item);
    items[page] = item;
    layout = pivot::lay_out(view, cache, items);
  } catch (const pivot::PivotError&) {
    raise(Fault::MethodFailed);
  }
  write_pivot_cells(handle, view, layout);
  pivot::store_page_item(sheet, view.page_fields[page], item);
  pivot::store_area(sheet, view, layout.area);
}

int16_t cache_field_named(const pivot::PivotCache& cache, const std::u16string& name) {
  for (size_t f = 0; f < cache.source_fields; ++f)
    if (upper(cache.fields[f].name) == upper(name)) return static_cast<int16_t>(f);
  raise(Fault::MethodFailed);
}

std::vector<int16_t> cache_fields_named(const pivot::PivotCache& cache, const std::vector<std::u16string>& names) {
  std::vector<int16_t> out;
  for (const auto& name : names) out.push_back(cache_field_named(cache, name));
  return out;
}

}  // namespace

std::shared_ptr<PivotTable> add_pivot_table(const SheetHandle& sheet, model::CellRef at, const SheetHandle& source_sheet,
                                            const model::RangeRef& source, const PivotTableChoice& choice) {
  model::Workbook& wb = sheet.workbook();
  pivot::PivotSpec spec;
  spec.name = choice.name;
  pivot::PivotCache cache;
  pivot::PivotView view;
  pivot::PivotLayout layout;
  try {
    cache = pivot::cache_from_range(source_sheet.get(), source);
    spec.page_fields = cache_fields_named(cache, choice.pages);
    spec.row_fields = cache_fields_named(cache, choice.rows);
    spec.column_fields = cache_fields_named(cache, choice.columns);
    for (const PivotDataChoice& d : choice.data) {
      pivot::DataFieldSpec data;
      data.field = cache_field_named(cache, d.field);
      data.function = pivot_function(d.function);
      if (!d.caption.empty()) data.caption = d.caption;
      if (!d.number_format.empty()) data.number_format = format_id_for(wb, d.number_format, false);
      spec.data_fields.push_back(data);
    }
    view = pivot::new_view(cache, 0, spec, at);
    std::vector<int16_t> all(view.page_fields.size(), pivot::kAllItems);
    layout = pivot::lay_out(view, cache, all);
  } catch (const pivot::PivotError&) {
    raise(Fault::MethodFailed);
  }
  view.area = layout.area;
  view.cache = pivot::add_cache(wb, cache, source_sheet.get().name, source);
  write_pivot_cells(sheet, view, layout);
  return std::make_shared<PivotTable>(sheet, pivot::add_view_records(sheet.get(), view, layout));
}

PivotTables::PivotTables(SheetHandle sheet) : sheet_(std::move(sheet)) {}

int PivotTables::Count() const { return static_cast<int>(pivot::view_records(sheet_.get()).size()); }

std::shared_ptr<PivotTable> PivotTables::Item(const Variant& index) const {
  const auto records = pivot::view_records(sheet_.get());
  if (index.is_string()) {
    for (size_t r : records)
      if (upper(view_of(sheet_, r).name) == upper(index.str())) return std::make_shared<PivotTable>(sheet_, r);
    raise(Fault::MethodFailed);
  }
  const int i = index.to_long();
  if (i < 1 || static_cast<size_t>(i) > records.size()) raise(Fault::MethodFailed);
  return std::make_shared<PivotTable>(sheet_, records[static_cast<size_t>(i - 1)]);
}

PivotTable::PivotTable(SheetHandle sheet, size_t record) : sheet_(std::move(sheet)), record_(record) {}

std::u16string PivotTable::Name() const { return view_of(sheet_, record_).name; }

std::shared_ptr<Range> PivotTable::TableRange1() const {
  return std::make_shared<Range>(sheet_, view_of(sheet_, record_).area);
}

std::shared_ptr<Range> PivotTable::PageRangeCells() const {
  const auto pages = view_of(sheet_, record_).page_area();
  if (!pages) raise(Fault::MethodFailed);
  return std::make_shared<Range>(sheet_, *pages);
}

PivotField::PivotField(SheetHandle sheet, size_t record, int field, int data)
    : sheet_(std::move(sheet)), record_(record), field_(field), data_(data) {}

std::u16string PivotField::Name() const {
  if (data_ >= 0) return Caption();
  const auto view = view_of(sheet_, record_);
  if (view.fields.at(field_).caption) return *view.fields[field_].caption;
  try {
    return pivot::field_caption(view, pivot::read_cache(sheet_.workbook(), view.cache), static_cast<int16_t>(field_));
  } catch (const pivot::PivotError&) {
    raise(Fault::MethodFailed);
  }
}

int PivotField::Orientation() const {
  if (data_ >= 0) return kDataField;
  const uint16_t axis = view_of(sheet_, record_).fields.at(field_).axis;
  if (axis & pivot::kAxisPage) return kPageField;
  if (axis & pivot::kAxisRow) return kRowField;
  if (axis & pivot::kAxisColumn) return kColumnField;
  if (axis & pivot::kAxisData) return kDataField;
  return kHidden;
}

std::shared_ptr<Range> PivotField::DataRange() const {
  const auto view = view_of(sheet_, record_);
  const auto pages = view.page_area();
  for (size_t p = 0; p < view.page_fields.size(); ++p) {
    if (view.page_fields[p].field != field_) continue;
    const model::CellRef cell{pages->first.row + static_cast<int>(p), pages->first.col + 1};
    return std::make_shared<Range>(sheet_, model::RangeRef{cell, cell});
  }
  raise(Fault::MethodFailed);
}

Variant PivotField::CurrentPage() const {
  const auto view = view_of(sheet_, record_);
  for (const auto& p : view.page_fields) {
    if (p.field != field_) continue;
    if (p.item == pivot::kAllItems) return Variant(std::u16string(pivot::kAllItemsCaption));
    try {
      const auto cache = pivot::read_cache(sheet_.workbook(), view.cache);
      return Variant(shown_text(pivot::item_caption(view, cache, p.field, p.item)));
    } catch (const pivot::PivotError&) {
      raise(Fault::MethodFailed);
    }
  }
  raise(Fault::MethodFailed);
}

void PivotField::SetCurrentPage(const Variant& item) {
  const auto view = view_of(sheet_, record_);
  for (size_t p = 0; p < view.page_fields.size(); ++p)
    if (view.page_fields[p].field == field_) return select_page_item(sheet_, view, p, item);
  raise(Fault::MethodFailed);
}

std::shared_ptr<PivotField> pivot_field_at(const SheetHandle& sheet, model::CellRef at) {
  for (size_t record : pivot::view_records(sheet.get())) {
    pivot::PivotView view;
    try {
      view = pivot::read_view(sheet.get(), record);
    } catch (const pivot::PivotError&) {
      continue;
    }
    if (const auto pages = view.page_area(); pages && pages->contains(at)) {
      const auto& page = view.page_fields[static_cast<size_t>(at.row - pages->first.row)];
      return std::make_shared<PivotField>(sheet, record, page.field);
    }
    if (!view.area.contains(at)) continue;
    // Inside the table: the row field's column and header, the column field's header row.
    if (at.col < view.first_data_col && !view.row_fields.empty() && view.row_fields.front() >= 0)
      return std::make_shared<PivotField>(sheet, record, view.row_fields.front());
    if (at.row < view.first_data_row && !view.column_fields.empty() && view.column_fields.front() >= 0)
      return std::make_shared<PivotField>(sheet, record, view.column_fields.front());
    if (!view.data_fields.empty()) return std::make_shared<PivotField>(sheet, record, view.data_fields.front().field);
  }
  raise(Fault::MethodFailed);
}

bool set_page_item_at(const SheetHandle& sheet, model::CellRef at, const Variant& value) {
  for (size_t record : pivot::view_records(sheet.get())) {
    pivot::PivotView view;
    try {
      view = pivot::read_view(sheet.get(), record);
    } catch (const pivot::PivotError&) {
      // A table whose records do not read: its page cell is still its page cell.
      continue;
    }
    const auto pages = view.page_area();
    if (!pages || at.col != pages->first.col + 1 || at.row < pages->first.row || at.row > pages->last.row) continue;
    select_page_item(sheet, view, static_cast<size_t>(at.row - pages->first.row), value);
    return true;
  }
  return false;
}

}  // namespace tabrel::xl
