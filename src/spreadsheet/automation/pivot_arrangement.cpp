#include "spreadsheet/automation/pivot_arrangement.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "spreadsheet/automation/errors.h"
#include "spreadsheet/ops/cell_format.h"
#include "spreadsheet/ops/cell_value.h"
#include "spreadsheet/ops/clear.h"
#include "spreadsheet/pivot/pivot_captions.h"
#include "spreadsheet/pivot/pivot_view.h"

namespace tabrel::xl {
namespace {

model::CellValue cell_value(const pivot::CacheValue& v) {
  switch (v.kind) {
    case pivot::CacheValue::Kind::Number: return model::CellValue::number(v.number);
    case pivot::CacheValue::Kind::Text: return model::CellValue::text(v.text);
    case pivot::CacheValue::Kind::Boolean: return model::CellValue::boolean(v.number != 0);
    case pivot::CacheValue::Kind::Error:
      return model::CellValue::error(static_cast<CellError>(static_cast<int32_t>(CellError::Null) + static_cast<int>(v.number)));
    default: return {};
  }
}

struct MadeTable {
  pivot::PivotView view;
  pivot::PivotLayout layout;
};

// The view and cells of `arrangement`; a page field keeps the item `pages` holds for it (a
// cache item), else all items.
MadeTable make_table(const pivot::PivotCache& cache, uint16_t cache_index, const PivotArrangement& arrangement,
                     const std::map<int16_t, int16_t>& pages) {
  const pivot::PivotSpec& spec = arrangement.spec;
  model::CellRef at = arrangement.anchor;
  if (!spec.page_fields.empty()) at.row = std::max(at.row, static_cast<int>(spec.page_fields.size()) + 1);
  MadeTable made;
  made.view = pivot::new_view(cache, cache_index, spec, at);
  std::vector<int16_t> items;
  for (pivot::PageField& page : made.view.page_fields) {
    const auto kept = pages.find(page.field);
    const auto& view_items = made.view.fields[static_cast<size_t>(page.field)].items;
    for (size_t i = 0; kept != pages.end() && i < view_items.size(); ++i)
      if (view_items[i].type == 0 && view_items[i].cache_index == kept->second) page.item = static_cast<int16_t>(i);
    items.push_back(page.item);
  }
  if (!spec.row_fields.empty() && !spec.data_fields.empty()) {
    made.layout = pivot::lay_out(made.view, cache, items);
  } else {
    made.layout.area = made.view.area;
    for (size_t p = 0; p < made.view.page_fields.size(); ++p) {
      const int row = made.view.page_area()->first.row + static_cast<int>(p);
      const int16_t field = made.view.page_fields[p].field;
      pivot::CacheValue caption{pivot::CacheValue::Kind::Text, 0, pivot::field_caption(made.view, cache, field)};
      made.layout.cells.push_back({{row, at.col}, caption, false, 0});
      pivot::CacheValue item{pivot::CacheValue::Kind::Text, 0, pivot::kAllItemsCaption};
      if (items[p] != pivot::kAllItems) item = pivot::item_caption(made.view, cache, field, items[p]);
      made.layout.cells.push_back({{row, at.col + 1}, item, false, 0});
    }
  }
  made.view.area = made.layout.area;
  return made;
}

constexpr int kXlFunctions[] = {-4157, -4112, -4106, -4136, -4139, -4149, -4113, -4155, -4156, -4164, -4165};

}  // namespace

uint16_t pivot_function(int function) {
  for (uint16_t f = 0; f < std::size(kXlFunctions); ++f)
    if (kXlFunctions[f] == function) return f;
  raise(Fault::InvalidArgument);
}

int xl_function(uint16_t function) { return function < std::size(kXlFunctions) ? kXlFunctions[function] : kXlFunctions[0]; }

pivot::PivotCache cache_of(const SheetHandle& sheet, size_t record) {
  const pivot::PivotView view = view_of(sheet, record);
  try {
    return pivot::read_cache(sheet.workbook(), view.cache);
  } catch (const pivot::PivotError&) {
    raise(Fault::MethodFailed);
  }
}

pivot::PivotView view_of(const SheetHandle& sheet, size_t record) {
  try {
    return pivot::read_view(sheet.get(), record);
  } catch (const pivot::PivotError&) {
    raise(Fault::MethodFailed);
  }
}

PivotArrangement arrangement_of(const SheetHandle& sheet, size_t record) {
  const pivot::PivotView view = view_of(sheet, record);
  PivotArrangement out;
  out.spec.name = view.name;
  for (int16_t f : view.row_fields)
    if (f != pivot::kDataFieldIndex) out.spec.row_fields.push_back(f);
  for (int16_t f : view.column_fields)
    if (f != pivot::kDataFieldIndex) out.spec.column_fields.push_back(f);
  for (const pivot::PageField& p : view.page_fields) out.spec.page_fields.push_back(p.field);
  for (const pivot::DataField& d : view.data_fields) out.spec.data_fields.push_back({d.field, d.function, d.caption, d.number_format});
  out.anchor = view.area.first;
  return out;
}

void rearrange(const SheetHandle& sheet, size_t record, const std::function<void(PivotArrangement&)>& change) {
  const pivot::PivotView old = view_of(sheet, record);
  const pivot::PivotCache cache = cache_of(sheet, record);
  PivotArrangement arrangement = arrangement_of(sheet, record);
  change(arrangement);
  std::map<int16_t, int16_t> pages;  // field -> cache item of its current page item
  for (const pivot::PageField& p : old.page_fields)
    if (p.item != pivot::kAllItems) pages[p.field] = old.fields[static_cast<size_t>(p.field)].items[static_cast<size_t>(p.item)].cache_index;
  MadeTable made;
  try {
    made = make_table(cache, old.cache, arrangement, pages);
  } catch (const pivot::PivotError&) {
    raise(Fault::MethodFailed);
  }
  model::Sheet& s = sheet.get();
  ops::clear_contents(s, old.area);
  if (const auto old_pages = old.page_area()) ops::clear_contents(s, *old_pages);
  pivot::remove_view_records(s, record);
  pivot::add_view_records(s, made.view, made.layout, record);
  write_pivot_cells(sheet, made.view, made.layout);
}

size_t place_table(const SheetHandle& sheet, uint16_t cache_index, const pivot::PivotCache& cache,
                   const PivotArrangement& arrangement) {
  MadeTable made;
  try {
    made = make_table(cache, cache_index, arrangement, {});
  } catch (const pivot::PivotError&) {
    raise(Fault::MethodFailed);
  }
  write_pivot_cells(sheet, made.view, made.layout);
  return pivot::add_view_records(sheet.get(), made.view, made.layout);
}

void write_pivot_cells(const SheetHandle& handle, const pivot::PivotView& view, const pivot::PivotLayout& layout) {
  model::Sheet& sheet = handle.get();
  model::Workbook& wb = handle.workbook();
  ops::clear_contents(sheet, view.area);
  if (const auto pages = view.page_area()) ops::clear_contents(sheet, *pages);
  for (const pivot::LayoutCell& cell : layout.cells) {
    ops::set_constant(sheet, cell.at, cell_value(cell.value), ops::effective_xf(sheet, cell.at));
    if (cell.is_data && ops::effective_format(wb, sheet, cell.at).format != cell.number_format) {
      const uint16_t format = cell.number_format;
      ops::change_format(wb, sheet, {cell.at, cell.at}, [format](model::Xf& xf) { xf.format = format; });
    }
  }
}

}  // namespace tabrel::xl
