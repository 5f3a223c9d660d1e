#include "analysis_json.h"

#include <string>

#include "spreadsheet/core/text.h"
#include "spreadsheet/pivot/pivot_cache.h"
#include "spreadsheet/pivot/pivot_layout.h"
#include "spreadsheet/pivot/pivot_view.h"

namespace tabrel::dump {
namespace {

using json::Array;
using json::Object;
using json::Value;

constexpr uint16_t kScenario = 0x00AF;

std::string range_text(const model::RangeRef& r) {
  return to_utf8(model::a1_address(r.first) + u":" + model::a1_address(r.last));
}

Value cache_value_json(const pivot::CacheValue& v) {
  switch (v.kind) {
    case pivot::CacheValue::Kind::Number: return v.number;
    case pivot::CacheValue::Kind::Text: return to_utf8(v.text);
    case pivot::CacheValue::Kind::Boolean: return v.number != 0;
    case pivot::CacheValue::Kind::Error: return "#error " + std::to_string(static_cast<int>(v.number));
    default: return nullptr;
  }
}

Value pivot_json(const model::Workbook& book, const model::Sheet& sheet, size_t record) {
  Object o;
  pivot::PivotView view;
  try {
    view = pivot::read_view(sheet, record);
  } catch (const pivot::PivotError& e) {
    o["problem"] = e.what();
    return o;
  }
  o["name"] = to_utf8(view.name);
  o["area"] = range_text(view.area);
  o["cache"] = static_cast<int>(view.cache);
  std::optional<pivot::PivotCache> cache;
  try {
    cache = pivot::read_cache(book, view.cache);
  } catch (const pivot::PivotError& e) {
    o["cache_problem"] = e.what();
  }
  auto field_name = [&](int16_t f) -> Value {
    if (f == pivot::kDataFieldIndex) return "(data)";
    if (cache && static_cast<size_t>(f) < cache->fields.size()) return to_utf8(pivot::field_caption(view, *cache, f));
    return static_cast<int>(f);
  };
  Array rows, columns, pages, data;
  for (int16_t f : view.row_fields) rows.push_back(field_name(f));
  for (int16_t f : view.column_fields) columns.push_back(field_name(f));
  for (const auto& p : view.page_fields) {
    Object page;
    page["field"] = field_name(p.field);
    if (p.item == pivot::kAllItems) page["item"] = "(모두)";
    else if (cache) page["item"] = cache_value_json(pivot::item_caption(view, *cache, p.field, p.item));
    else page["item"] = static_cast<int>(p.item);
    pages.push_back(std::move(page));
  }
  for (const auto& d : view.data_fields) {
    Object field;
    field["field"] = field_name(d.field);
    field["function"] = static_cast<int>(d.function);
    field["number_format"] = static_cast<int>(d.number_format);
    if (d.caption) field["caption"] = to_utf8(*d.caption);
    data.push_back(std::move(field));
  }
  o["rows"] = std::move(rows);
  o["columns"] = std::move(columns);
  o["pages"] = std::move(pages);
  o["data"] = std::move(data);
  o["grand_total_row"] = view.grand_total_row();
  o["grand_total_column"] = view.grand_total_column();
  if (cache) {
    o["cache_records"] = static_cast<long long>(cache->records());
    try {
      const std::vector<int16_t> all(view.page_fields.size(), pivot::kAllItems);
      const pivot::PivotLayout layout = pivot::lay_out(view, *cache, all);
      Object cells;
      for (const auto& c : layout.cells) cells[to_utf8(model::a1_address(c.at))] = cache_value_json(c.value);
      o["all_items_area"] = range_text(layout.area);
      o["all_items_cells"] = std::move(cells);
    } catch (const pivot::PivotError& e) {
      o["layout_problem"] = e.what();
    }
  }
  return o;
}

}  // namespace

void add_analysis_json(const model::Workbook& book, const model::Sheet& sheet, json::Object& members) {
  Array pivots;
  for (size_t record : pivot::view_records(sheet)) pivots.push_back(pivot_json(book, sheet, record));
  if (!pivots.empty()) members["pivot_tables"] = std::move(pivots);

  Object outline;
  for (const auto& [r, info] : sheet.rows)
    if (info.outline_level > 0 || info.collapsed)
      outline["row " + std::to_string(r + 1)] = Object{{"level", static_cast<int>(info.outline_level)},
                                                       {"collapsed", info.collapsed}, {"hidden", info.hidden}};
  for (const auto& c : sheet.columns)
    if (c.outline_level > 0 || c.collapsed)
      outline["columns " + to_utf8(model::column_letters(c.first)) + ":" + to_utf8(model::column_letters(c.last))] =
          Object{{"level", static_cast<int>(c.outline_level)}, {"collapsed", c.collapsed}, {"hidden", c.hidden}};
  if (!outline.empty()) members["outline"] = std::move(outline);

  long long scenarios = 0;
  for (const auto& r : sheet.other_records) scenarios += r.id == kScenario;
  if (scenarios > 0) members["scenarios"] = scenarios;

  if (sheet.autofilter) {
    Object criteria;
    for (const auto& c : sheet.autofilter->columns) {
      Object column;
      column["operator_or"] = c.join_or;
      column["top10"] = c.top10;
      auto condition = [](const model::AutoFilterCondition& k) {
        Object o;
        o["type"] = static_cast<int>(k.value_type);
        o["op"] = static_cast<int>(k.op);
        if (k.value_type == 6) o["text"] = to_utf8(k.text);
        if (k.value_type == 2 || k.value_type == 4) o["number"] = k.number;
        return o;
      };
      column["first"] = condition(c.first);
      column["second"] = condition(c.second);
      criteria[std::to_string(c.index + 1)] = std::move(column);
    }
    auto it = members.find("autofilter");
    if (it != members.end() && it->second.is_object()) it->second.as_object()["criteria"] = std::move(criteria);
  }
}

}  // namespace tabrel::dump
