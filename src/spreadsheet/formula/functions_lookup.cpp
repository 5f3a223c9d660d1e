// Lookup and reference functions: CHOOSE VLOOKUP HLOOKUP MATCH INDEX ROW COLUMN ROWS COLUMNS.

#include <cmath>

#include "spreadsheet/formula/criteria.h"
#include "spreadsheet/formula/function_helpers.h"
#include "spreadsheet/formula/functions.h"

namespace tabrel::formula {
namespace {

bool has_wildcards(const Scalar& s) {
  return is_text(s) && std::get<std::u16string>(s).find_first_of(u"*?~") != std::u16string::npos;
}

bool same_kind(const Scalar& a, const Scalar& b) { return a.index() == b.index(); }

// Position (0-based) of `key` among `count` values read by `at`: exact (with wildcards for
// text), or approximate in ascending (1) or descending (-1) order. -1 when absent.
int find_position(Evaluator& ev, const Scalar& key, int count, int mode, const std::function<Scalar(int)>& at) {
  (void)ev;
  if (mode == 0) {
    bool wild = has_wildcards(key);
    for (int i = 0; i < count; ++i) {
      Scalar v = at(i);
      if (!same_kind(v, key)) continue;
      if (wild ? wildcard_match(std::get<std::u16string>(key), std::get<std::u16string>(v)) : compare_scalars(v, key) == 0)
        return i;
    }
    return -1;
  }
  int found = -1;
  for (int i = 0; i < count; ++i) {
    Scalar v = at(i);
    if (!same_kind(v, key)) continue;
    int c = compare_scalars(v, key);
    if (mode > 0 ? c <= 0 : c >= 0) found = i;
    else break;
  }
  return found;
}

Scalar lookup_key(Evaluator& ev, const Node& n) {
  Scalar k = ev.scalar(n);
  if (auto e = std::get_if<CellError>(&k)) throw ErrorSignal{*e};
  return is_blank(k) ? Scalar(0.0) : k;
}

Value table_lookup(Evaluator& ev, std::span<const Node> a, bool vertical) {
  Scalar key = lookup_key(ev, a[0]);
  Value table = ev.eval(a[1]);
  if (!table.is_reference() && !table.is_array()) return CellError::NA;
  int index = integer_arg(ev, a[2]);
  bool approximate = a.size() < 4 || ev.is_missing(a[3]) || ev.boolean(a[3]);
  auto [rows, cols] = ev.shape(table);
  if (index < 1) return CellError::Value;
  if (index > (vertical ? cols : rows)) return CellError::Ref;
  int count = vertical ? ev.used_rows(table) : cols;
  int pos = find_position(ev, key, count, approximate ? 1 : 0,
                          [&](int i) { return vertical ? ev.item(table, i, 0) : ev.item(table, 0, i); });
  if (pos < 0) return CellError::NA;
  Scalar r = vertical ? ev.item(table, pos, index - 1) : ev.item(table, index - 1, pos);
  return is_blank(r) ? Scalar(0.0) : r;
}
Value vlookup_(Evaluator& ev, std::span<const Node> a) { return table_lookup(ev, a, true); }
Value hlookup_(Evaluator& ev, std::span<const Node> a) { return table_lookup(ev, a, false); }

Value match_(Evaluator& ev, std::span<const Node> a) {
  Scalar key = lookup_key(ev, a[0]);
  Value list = ev.eval(a[1]);
  int mode = a.size() > 2 && !ev.is_missing(a[2]) ? static_cast<int>(std::trunc(ev.number(a[2]))) : 1;
  mode = mode > 0 ? 1 : mode < 0 ? -1 : 0;
  auto [rows, cols] = ev.shape(list);
  if (rows != 1 && cols != 1) return CellError::NA;
  bool down = cols == 1 && rows != 1;
  int count = down ? ev.used_rows(list) : cols;
  int pos = find_position(ev, key, count, mode, [&](int i) { return down ? ev.item(list, i, 0) : ev.item(list, 0, i); });
  if (pos < 0) return CellError::NA;
  return static_cast<double>(pos + 1);
}

Value index_(Evaluator& ev, std::span<const Node> a) {
  Value source = ev.eval(a[0]);
  auto [rows, cols] = ev.shape(source);
  bool has_col = a.size() > 2 && !ev.is_missing(a[2]);
  int r = ev.is_missing(a[1]) ? 0 : integer_arg(ev, a[1]);
  int c = has_col ? integer_arg(ev, a[2]) : 0;
  if (!has_col && rows == 1 && cols > 1) {  // one index into a row selects a column
    c = r;
    r = 1;
  } else if (!has_col && cols == 1) {
    c = 1;
  }
  if (r < 0 || c < 0 || r > rows || c > cols) return CellError::Ref;
  if (source.is_reference()) {
    if (source.areas.empty()) return CellError::Ref;
    const Area& area = source.areas[0];
    model::RangeRef out = area.range;
    if (r > 0) out.first.row = out.last.row = area.range.first.row + r - 1;
    if (c > 0) out.first.col = out.last.col = area.range.first.col + c - 1;
    return Value::reference({Area{area.sheet, out}});
  }
  if (source.is_array()) {
    if (r == 0 || c == 0) return CellError::Value;
    return source.matrix->at(r - 1, c - 1);
  }
  return source.scalar;
}

Value choose_(Evaluator& ev, std::span<const Node> a) {
  double i = std::trunc(ev.number(a[0]));
  if (i < 1 || i >= static_cast<double>(a.size())) return CellError::Value;
  const Node& pick = a[static_cast<size_t>(i)];
  return ev.is_missing(pick) ? Value(0.0) : ev.eval(pick);
}

Value position(Evaluator& ev, std::span<const Node> a, bool row) {
  if (a.empty() || ev.is_missing(a[0])) return static_cast<double>((row ? ev.cell().row : ev.cell().col) + 1);
  Value v = ev.eval(a[0]);
  if (!v.is_reference() || v.areas.empty()) return CellError::Value;
  const model::CellRef& f = v.areas[0].range.first;
  return static_cast<double>((row ? f.row : f.col) + 1);
}
Value row_(Evaluator& ev, std::span<const Node> a) { return position(ev, a, true); }
Value column_(Evaluator& ev, std::span<const Node> a) { return position(ev, a, false); }
Value rows_(Evaluator& ev, std::span<const Node> a) { return static_cast<double>(ev.shape(ev.eval(a[0])).first); }
Value columns_(Evaluator& ev, std::span<const Node> a) { return static_cast<double>(ev.shape(ev.eval(a[0])).second); }

}  // namespace

void add_lookup_functions(FunctionMap& m) {
  m[u"CHOOSE"] = choose_;
  m[u"VLOOKUP"] = vlookup_;
  m[u"HLOOKUP"] = hlookup_;
  m[u"MATCH"] = match_;
  m[u"INDEX"] = index_;
  m[u"ROW"] = row_;
  m[u"COLUMN"] = column_;
  m[u"ROWS"] = rows_;
  m[u"COLUMNS"] = columns_;
}

}  // namespace tabrel::formula
