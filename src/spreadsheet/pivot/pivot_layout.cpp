#include "spreadsheet/pivot/pivot_layout.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <limits>

#include "spreadsheet/pivot/pivot_captions.h"

namespace tabrel::pivot {
namespace {

constexpr size_t kMaxRowFields = 4;
constexpr uint16_t kDefaultSubtotal = 0x0001;  // SXVD grbitSub: the data field's own function
constexpr uint32_t kOutlineField = 0x00200000;  // SXVDEX: the field in the outline form
constexpr uint16_t kItemLine = 0, kSubtotalLine = 1, kGrandLine = 0x0D;
constexpr uint16_t kSubtotalFlag = 0x0200, kGrandFlags = 0x0A00, kMultiDataFlag = 0x1000;
constexpr int16_t kNoItem = 0x7FFF;  // a line's entry for a field it does not show
constexpr uint16_t kSum = 0, kCount = 1, kAverage = 2, kMax = 3, kMin = 4, kProduct = 5, kCountNumbers = 6,
                   kStdDev = 7, kStdDevP = 8, kVar = 9, kVarP = 10;

CacheValue text(std::u16string s) {
  CacheValue v;
  v.kind = CacheValue::Kind::Text;
  v.text = std::move(s);
  return v;
}

CacheValue number(double d) {
  CacheValue v;
  v.kind = CacheValue::Kind::Number;
  v.number = d;
  return v;
}

struct Accumulator {
  double sum = 0, squares = 0, product = 1;
  double min = std::numeric_limits<double>::infinity(), max = -std::numeric_limits<double>::infinity();
  size_t count = 0, numbers = 0;

  void add(const CacheValue& v) {
    ++count;
    if (v.kind != CacheValue::Kind::Number) {
      if (v.kind == CacheValue::Kind::Empty) --count;
      return;
    }
    ++numbers;
    sum += v.number;
    squares += v.number * v.number;
    product *= v.number;
    min = std::min(min, v.number);
    max = std::max(max, v.number);
  }

  // Blank when the group has no record or only blank values; the spreadsheet's error for an
  // average or a deviation without numbers.
  CacheValue result(uint16_t function, bool any) const {
    if (!any || count == 0) return {};
    const double n = static_cast<double>(numbers);
    auto variance = [&](bool sample) -> std::optional<double> {
      const double d = sample ? n - 1 : n;
      if (d <= 0) return std::nullopt;
      return std::max(0.0, (squares - sum * sum / n) / d);
    };
    auto divide_error = [] {
      CacheValue e;
      e.kind = CacheValue::Kind::Error;
      e.number = 0x07;
      return e;
    };
    switch (function) {
      case kCount: return number(static_cast<double>(count));
      case kCountNumbers: return number(n);
      case kAverage: return numbers == 0 ? divide_error() : number(sum / n);
      case kMax: return number(numbers == 0 ? 0 : max);
      case kMin: return number(numbers == 0 ? 0 : min);
      case kProduct: return number(numbers == 0 ? 0 : product);
      case kStdDev: case kStdDevP: case kVar: case kVarP: {
        const auto v = variance(function == kStdDev || function == kVar);
        if (!v) return divide_error();
        return number(function == kStdDev || function == kStdDevP ? std::sqrt(*v) : *v);
      }
      case kSum:
      default: return number(sum);
    }
  }
};

// The shown items of a row or column field: data items in the view's order, not hidden.
struct Axis {
  int16_t field = -1;
  std::vector<int16_t> items;              // view items shown, in order
  std::vector<int> position_of_cache_item; // cache item -> position in `items`, -1 when not shown
};

Axis make_axis(const PivotView& view, const PivotCache& cache, int16_t field) {
  Axis axis;
  axis.field = field;
  const auto& cache_items = cache.fields[field].items;
  axis.position_of_cache_item.assign(cache_items.size(), -1);
  const auto& items = view.fields[field].items;
  for (size_t i = 0; i < items.size(); ++i) {
    const ViewItem& item = items[i];
    if (item.type != 0) continue;
    if (item.cache_index < 0 || static_cast<size_t>(item.cache_index) >= cache_items.size())
      throw PivotError("a view item names a cache item the cache lacks");
    if (item.hidden) continue;
    axis.position_of_cache_item[item.cache_index] = static_cast<int>(axis.items.size());
    axis.items.push_back(static_cast<int16_t>(i));
  }
  return axis;
}

void check_field_in_cache(const PivotCache& cache, int16_t field, bool shared) {
  if (field < 0 || static_cast<size_t>(field) >= cache.source_fields)
    throw PivotError("the table uses a field its cache does not carry");
  if (shared && !cache.fields[field].has_items) throw PivotError("an axis field has no shared items in its cache");
}

// The text of an item's caption for the label of its subtotal line.
std::u16string shown_text(const CacheValue& v) {
  if (v.kind == CacheValue::Kind::Text) return v.text;
  if (v.kind != CacheValue::Kind::Number) return {};
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.15g", v.number);
  return std::u16string(digits, digits + std::strlen(digits));
}

std::vector<int16_t> without_data(const std::vector<int16_t>& fields) {
  std::vector<int16_t> out;
  for (int16_t f : fields)
    if (f != kDataFieldIndex) out.push_back(f);
  return out;
}

}  // namespace

std::u16string field_caption(const PivotView& view, const PivotCache& cache, int16_t field) {
  const auto& caption = view.fields.at(field).caption;
  if (caption) return *caption;
  if (static_cast<size_t>(field) >= cache.fields.size()) throw PivotError("the cache lacks a field of the table");
  return cache.fields[field].name;
}

CacheValue item_caption(const PivotView& view, const PivotCache& cache, int16_t field, int16_t item) {
  const ViewItem& vi = view.fields.at(field).items.at(item);
  if (vi.caption) return text(*vi.caption);
  const auto& items = cache.fields.at(field).items;
  if (vi.cache_index < 0 || static_cast<size_t>(vi.cache_index) >= items.size())
    throw PivotError("a view item names a cache item the cache lacks");
  const CacheValue& v = items[vi.cache_index];
  if (v.kind == CacheValue::Kind::Empty) return text(kEmptyItem);
  return v;
}

PivotLayout lay_out(const PivotView& view, const PivotCache& cache, const std::vector<int16_t>& page_items) {
  const auto rows = without_data(view.row_fields);
  const auto cols = without_data(view.column_fields);
  const size_t depth = rows.size();
  const int top = view.area.first.row, left = view.area.first.col;
  if (depth == 0 || depth > kMaxRowFields || cols.size() > 1 || view.data_fields.empty() ||
      (!cols.empty() && view.data_fields.size() > 1) ||
      (view.data_fields.size() > 1 && view.data_axis != kAxisColumn))
    throw PivotError("this arrangement of fields cannot be laid out again");
  // Several row fields: one column per field, or one column for all of them in the compact form.
  const bool compact = view.compact();
  if (depth > 1 && view.first_data_col != left + (compact ? 1 : static_cast<int>(depth)))
    throw PivotError("this arrangement of fields cannot be laid out again");
  for (size_t k = 0; k + 1 < depth; ++k)
    if (view.fields[rows[k]].subtotals > kDefaultSubtotal)
      throw PivotError("subtotals by another function cannot be laid out again");
  if (page_items.size() != view.page_fields.size()) throw PivotError("one item per page field is needed");
  if (view.fields.size() > cache.fields.size()) throw PivotError("the table has more fields than its cache");

  std::vector<Axis> row_axes;
  for (int16_t f : rows) {
    check_field_in_cache(cache, f, true);
    row_axes.push_back(make_axis(view, cache, f));
  }
  Axis col_axis;
  if (!cols.empty()) {
    check_field_in_cache(cache, cols[0], true);
    col_axis = make_axis(view, cache, cols[0]);
  }
  for (const DataField& d : view.data_fields) check_field_in_cache(cache, d.field, false);

  // The page fields' filters, as cache items.
  std::vector<std::pair<int16_t, int16_t>> filters;  // field, cache item
  for (size_t p = 0; p < view.page_fields.size(); ++p) {
    const int16_t item = page_items[p];
    const int16_t field = view.page_fields[p].field;
    if (item == kAllItems) continue;
    check_field_in_cache(cache, field, true);
    const auto& items = view.fields[field].items;
    if (item < 0 || static_cast<size_t>(item) >= items.size()) throw PivotError("no such page item");
    filters.emplace_back(field, items[item].cache_index);
  }

  // One pass over the records. Every line of the table (a row item, the subtotal of an outer
  // item, the grand total) owns a slot of accumulators: one per column item and the row's total,
  // per data field. A line is known by the positions of its items, outermost first; a subtotal
  // line by the positions of its outer items alone.
  const size_t ncol = cols.empty() ? 1 : col_axis.items.size();
  const size_t ndata = view.data_fields.size();
  const size_t per_slot = (ncol + 1) * ndata;
  std::vector<Accumulator> body;
  std::vector<bool> seen;
  std::map<std::vector<int>, size_t> slots;  // item positions -> slot
  auto slot_of = [&](const std::vector<int>& key) {
    const auto [it, added] = slots.emplace(key, body.size() / per_slot);
    if (added) {
      body.resize(body.size() + per_slot);
      seen.resize(seen.size() + ncol + 1, false);
    }
    return it->second;
  };
  std::vector<bool> col_used(ncol, false);
  std::vector<int> key(depth);
  std::map<std::vector<int>, std::vector<size_t>> slots_of_key;  // a record's items -> the lines it counts in
  const size_t records = cache.records();
  for (size_t rec = 0; rec < records; ++rec) {
    bool pass = true;
    for (const auto& [field, item] : filters)
      if (cache.cells[rec * cache.source_fields + field] != static_cast<uint32_t>(item)) {
        pass = false;
        break;
      }
    for (size_t k = 0; pass && k < depth; ++k) {
      key[k] = row_axes[k].position_of_cache_item[cache.cells[rec * cache.source_fields + rows[k]]];
      pass = key[k] >= 0;
    }
    if (!pass) continue;
    int c = 0;
    if (!cols.empty()) {
      c = col_axis.position_of_cache_item[cache.cells[rec * cache.source_fields + cols[0]]];
      if (c < 0) continue;
    }
    col_used[c] = true;
    // The record counts in its own line, the subtotal of each of its outer items, and the grand total.
    auto lines = slots_of_key.find(key);
    if (lines == slots_of_key.end()) {
      std::vector<size_t> found;
      for (size_t k = depth; k > 0; --k) found.push_back(slot_of(std::vector<int>(key.begin(), key.begin() + static_cast<long>(k))));
      found.push_back(slot_of({}));
      lines = slots_of_key.emplace(key, std::move(found)).first;
    }
    for (size_t s : lines->second) {
      for (size_t column : {static_cast<size_t>(c), ncol}) {
        seen[s * (ncol + 1) + column] = true;
        Accumulator* acc = &body[s * per_slot + column * ndata];
        for (size_t d = 0; d < ndata; ++d) acc[d].add(cache.value(rec, view.data_fields[d].field));
      }
    }
  }

  // The lines in the order the table shows them: items in their view order, the subtotal of an
  // outer item after its last inner line. One row field that shows all items keeps those
  // without records.
  std::vector<std::vector<int>> leaves;
  if (depth == 1 && view.fields[rows[0]].show_all_items()) {
    for (size_t r = 0; r < row_axes[0].items.size(); ++r) leaves.push_back({static_cast<int>(r)});
  } else {
    for (const auto& [k, slot] : slots)
      if (k.size() == depth) leaves.push_back(k);  // the map keeps them in item order
  }
  const bool show_all_cols = !cols.empty() && view.fields[cols[0]].show_all_items();
  std::vector<size_t> shown_cols;
  for (size_t c = 0; c < ncol; ++c)
    if (cols.empty() || col_used[c] || show_all_cols) shown_cols.push_back(c);

  PivotLayout out;
  if (!cols.empty()) {
    for (size_t k : shown_cols) out.column_lines.push_back({kItemLine, 1, 0, {col_axis.items[k]}});
    if (view.grand_total_column()) out.column_lines.push_back({kGrandLine, 1, kGrandFlags, {0}});
  } else if (ndata > 1) {
    for (size_t d = 0; d < ndata; ++d)
      out.column_lines.push_back({kItemLine, 1, kMultiDataFlag, {static_cast<int16_t>(d)}});
  } else {
    out.column_lines.push_back({kItemLine, 0, 0, {}});
  }
  // A row line showing the items of the first `shown` fields of `leaf`.
  auto row_line = [&](const std::vector<int>& leaf, size_t shown, uint16_t type, int16_t rest) {
    PivotLine line{type, static_cast<uint16_t>(shown), type == kSubtotalLine ? kSubtotalFlag : uint16_t{0}, {}};
    for (size_t k = 0; k < depth; ++k)
      line.items.push_back(k < shown ? row_axes[k].items[static_cast<size_t>(leaf[k])] : rest);
    return line;
  };
  auto put = [&](int row, int col, CacheValue v) {
    if (v.kind == CacheValue::Kind::Empty) return;
    out.cells.push_back({{row, col}, std::move(v), false, 0});
  };
  auto put_data = [&](int row, int col, CacheValue v, uint16_t format) {
    if (v.kind == CacheValue::Kind::Empty) return;
    out.cells.push_back({{row, col}, std::move(v), true, format});
  };
  auto caption_of = [&](const DataField& d) {
    return d.caption ? *d.caption : data_caption(d.function, cache.fields[d.field].name);
  };
  auto item_text = [&](size_t k, int position) {
    return item_caption(view, cache, rows[k], row_axes[k].items[static_cast<size_t>(position)]);
  };

  // Page fields above the table.
  for (size_t p = 0; p < view.page_fields.size(); ++p) {
    const int row = top - 1 - static_cast<int>(view.page_fields.size()) + static_cast<int>(p);
    const int16_t field = view.page_fields[p].field;
    put(row, left, text(field_caption(view, cache, field)));
    put(row, left + 1, page_items[p] == kAllItems ? text(kAllItemsCaption) : item_caption(view, cache, field, page_items[p]));
  }

  // The captions of the row fields (and the column items) stand on the line above the data.
  const int head = std::max(top, view.first_data_row - 1);
  const int first_col = view.first_data_col;
  const bool top_row = head > top;
  if (top_row) {
    if (ndata == 1) put(top, left, text(caption_of(view.data_fields[0])));
    if (!cols.empty()) put(top, first_col, text(compact ? kColumnLabels : field_caption(view, cache, cols[0])));
    else if (ndata > 1) put(top, first_col, text(view.data_caption.empty() ? kDataCaption : view.data_caption));
  }
  if (compact) {
    put(head, left, text(kRowLabels));
  } else {
    for (size_t k = 0; k < depth; ++k) put(head, left + static_cast<int>(k), text(field_caption(view, cache, rows[k])));
  }
  int last_col = first_col;
  if (!cols.empty()) {
    int c = first_col;
    for (size_t k : shown_cols) put(head, c++, item_caption(view, cache, cols[0], col_axis.items[k]));
    if (view.grand_total_column()) put(head, c++, text(kGrandTotal));
    last_col = std::max(first_col, c - 1);
  } else if (top_row && ndata == 1) {
    put(head, first_col, text(kValuesHeader));
  } else {
    for (size_t d = 0; d < ndata; ++d) put(head, first_col + static_cast<int>(d), text(caption_of(view.data_fields[d])));
    last_col = first_col + static_cast<int>(ndata) - 1;
  }

  auto put_line = [&](int row, const std::vector<int>& line) {
    const auto found = slots.find(line);
    const bool any = found != slots.end();
    const size_t s = any ? found->second : 0;
    auto result = [&](size_t column, size_t d) {
      if (!any) return CacheValue{};
      return body[s * per_slot + column * ndata + d].result(view.data_fields[d].function, seen[s * (ncol + 1) + column]);
    };
    int c = first_col;
    if (!cols.empty()) {
      const uint16_t format = view.data_fields[0].number_format;
      for (size_t k : shown_cols) put_data(row, c++, result(k, 0), format);
      if (view.grand_total_column()) put_data(row, c++, result(ncol, 0), format);
    } else {
      for (size_t d = 0; d < ndata; ++d) put_data(row, c++, result(0, d), view.data_fields[d].number_format);
    }
  };
  // An outer field in the outline or compact form has a line of its own per item, its subtotal
  // on it; in the tabular form its item stands on its first inner line and its subtotal on a
  // line below. The compact form puts every field's items in the first column.
  auto outline_form = [&](size_t k) { return compact || (view.fields[rows[k]].extra_flags & kOutlineField) != 0; };
  auto column_of = [&](size_t k) { return left + (compact ? 0 : static_cast<int>(k)); };
  auto prefix = [](const std::vector<int>& leaf, size_t k) { return std::vector<int>(leaf.begin(), leaf.begin() + static_cast<long>(k) + 1); };
  int row = view.first_data_row;
  auto close_groups = [&](const std::vector<int>& leaf, size_t down_to) {
    for (size_t k = depth - 1; k-- > down_to;) {
      if (outline_form(k) || view.fields[rows[k]].subtotals == 0) continue;
      put(row, column_of(k), text(shown_text(item_text(k, leaf[k])) + kSubtotalSuffix));
      out.row_lines.push_back(row_line(leaf, k + 1, kSubtotalLine, 0));
      put_line(row++, prefix(leaf, k));
    }
  };
  for (size_t i = 0; i < leaves.size(); ++i) {
    size_t first_new = 0;  // the outermost field whose item changes on this line
    if (i > 0) {
      while (leaves[i][first_new] == leaves[i - 1][first_new]) ++first_new;
      close_groups(leaves[i - 1], first_new);
    }
    for (size_t k = first_new; k < depth; ++k) {
      put(row, column_of(k), item_text(k, leaves[i][k]));
      if (k + 1 < depth && outline_form(k)) {
        if (view.fields[rows[k]].subtotals != 0) put_line(row, prefix(leaves[i], k));
        out.row_lines.push_back(row_line(leaves[i], k + 1, kItemLine, kNoItem));
        ++row;
      }
    }
    out.row_lines.push_back(row_line(leaves[i], depth, kItemLine, 0));
    put_line(row++, leaves[i]);
  }
  if (!leaves.empty()) close_groups(leaves.back(), 0);
  if (view.grand_total_row()) {
    put(row, left, text(kGrandTotal));
    out.row_lines.push_back({kGrandLine, 1, kGrandFlags, std::vector<int16_t>(depth, 0)});
    put_line(row++, {});
  }
  out.area = {{top, left}, {std::max(row - 1, view.first_data_row), std::max(last_col, first_col)}};
  return out;
}

}  // namespace tabrel::pivot
