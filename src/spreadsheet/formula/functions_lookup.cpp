// Lookup and reference functions: CHOOSE VLOOKUP HLOOKUP MATCH INDEX ROW COLUMN ROWS COLUMNS
// AREAS OFFSET INDIRECT ADDRESS TRANSPOSE LOOKUP, and CELL and ISREF (information about a referenced cell).

#include <cmath>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/criteria.h"
#include "spreadsheet/formula/function_helpers.h"
#include "spreadsheet/formula/functions.h"
#include "spreadsheet/formula/sheet_names.h"

namespace tabrel::formula {
namespace {

bool has_wildcards(const Scalar& s) {
  return is_text(s) && std::get<std::u16string>(s).find_first_of(u"*?~") != std::u16string::npos;
}

bool same_kind(const Scalar& a, const Scalar& b) { return a.index() == b.index(); }

// Position (0-based) of `key` among `count` values read by `at`: exact (with wildcards for
// text), or approximate over values sorted ascending (1) or descending (-1). Approximate look-ups
// search by halves as the spreadsheet does, so unsorted data gives the spreadsheet's answers;
// on an equal value the search runs on over the equal values that follow. -1 when absent.
int find_position(const Scalar& key, int count, int mode, const std::function<Scalar(int)>& at) {
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
  int lo = 0, hi = count - 1;
  while (lo <= hi) {
    int mid = lo + (hi - lo) / 2;
    // Values of another kind are stepped over towards the low end.
    int probe = mid;
    Scalar v = at(probe);
    while (probe > lo && !same_kind(v, key)) v = at(--probe);
    if (!same_kind(v, key)) {
      lo = mid + 1;
      continue;
    }
    int c = compare_scalars(v, key);
    if (c == 0) {
      while (probe + 1 < count) {
        Scalar next = at(probe + 1);
        if (!same_kind(next, key) || compare_scalars(next, key) != 0) break;
        ++probe;
      }
      return probe;
    }
    if (mode > 0 ? c < 0 : c > 0) lo = mid + 1;
    else hi = probe - 1;
  }
  // hi: the last value on the near side of the key, of the key's kind.
  while (hi >= 0 && !same_kind(at(hi), key)) --hi;
  return hi;
}

Scalar lookup_key(Evaluator& ev, const Node& n) {
  Scalar k = ev.scalar(n);
  if (auto e = std::get_if<CellError>(&k)) throw ErrorSignal{*e};
  return is_blank(k) ? Scalar(0.0) : k;
}

// The scalar of a value that must be a reference or an array: its error, or #N/A.
std::optional<CellError> not_a_table(const Value& v) {
  if (v.is_reference() || v.is_array()) return std::nullopt;
  if (auto e = std::get_if<CellError>(&v.scalar)) return *e;
  return CellError::NA;
}

Value table_lookup(Evaluator& ev, std::span<const Node> a, bool vertical) {
  Scalar key = lookup_key(ev, a[0]);
  Value table = ev.eval(a[1]);
  if (auto e = not_a_table(table)) return *e;
  // The match mode is read before the index: omitted means approximate, left empty exact;
  // text there is #VALUE! even when it spells a boolean.
  bool approximate = a.size() < 4;
  if (a.size() >= 4 && !ev.is_missing(a[3])) {
    Scalar mode = ev.scalar(a[3]);
    if (auto e = std::get_if<CellError>(&mode)) return *e;
    if (is_text(mode)) return CellError::Value;
    approximate = ev.to_boolean(mode);
  }
  // An index given as an error or as text that is no number above zero is #REF!; a number
  // below one (a blank included) is #VALUE!.
  Scalar index_value = ev.scalar(a[2]);
  double index = 0;
  if (is_error(index_value)) return CellError::Ref;
  if (auto t = std::get_if<std::u16string>(&index_value)) {
    auto n = text_to_number(*t, ev.date_system());
    if (!n || *n < 1) return CellError::Ref;
    index = std::trunc(*n);
  } else {
    index = std::trunc(ev.to_number(index_value));
  }
  auto [rows, cols] = ev.shape(table);
  if (index < 1) return CellError::Value;
  if (index > (vertical ? cols : rows)) return CellError::Ref;
  int count = vertical ? ev.used_rows(table) : cols;
  int pos = find_position(key, count, approximate ? 1 : 0,
                          [&](int i) { return vertical ? ev.item(table, i, 0) : ev.item(table, 0, i); });
  if (pos < 0) return CellError::NA;
  int k = static_cast<int>(index) - 1;
  Scalar r = vertical ? ev.item(table, pos, k) : ev.item(table, k, pos);
  return is_blank(r) ? Scalar(0.0) : r;
}
Value vlookup_(Evaluator& ev, std::span<const Node> a) { return table_lookup(ev, a, true); }
Value hlookup_(Evaluator& ev, std::span<const Node> a) { return table_lookup(ev, a, false); }

Value match_(Evaluator& ev, std::span<const Node> a) {
  Scalar key = lookup_key(ev, a[0]);
  Value list = ev.eval(a[1]);
  if (auto e = not_a_table(list)) return *e;
  int mode = a.size() > 2 && !ev.is_missing(a[2]) ? static_cast<int>(std::trunc(ev.number(a[2]))) : 1;
  mode = mode > 0 ? 1 : mode < 0 ? -1 : 0;
  auto [rows, cols] = ev.shape(list);
  if (rows != 1 && cols != 1) return CellError::NA;
  bool down = cols == 1 && rows != 1;
  int count = down ? ev.used_rows(list) : cols;
  int pos = find_position(key, count, mode, [&](int i) { return down ? ev.item(list, i, 0) : ev.item(list, 0, i); });
  if (pos < 0) return CellError::NA;
  return static_cast<double>(pos + 1);
}

Value index_(Evaluator& ev, std::span<const Node> a) {
  Value source = ev.eval(a[0]);
  if (auto e = std::get_if<CellError>(&source.scalar); e && !source.is_reference() && !source.is_array()) return *e;
  auto [rows, cols] = ev.shape(source);
  bool has_col = a.size() > 2 && !ev.is_missing(a[2]);
  int r = ev.is_missing(a[1]) ? 0 : integer_arg(ev, a[1]);
  int c = has_col ? integer_arg(ev, a[2]) : 0;
  if (r < 0 || c < 0) return CellError::Value;
  if (!has_col && rows == 1) {  // one index into a single row selects a column
    c = r;
    r = 1;
  } else if (!has_col && cols == 1) {
    c = 1;
  } else if (!has_col) {
    return CellError::Ref;  // a table needs both indexes
  }
  if (r > rows || c > cols) return CellError::Ref;
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

// LOOKUP(value, vector[, result]): approximate search of a row or column (or of the longer side
// of a table), the answer from the result vector or the table's last row or column.
Value lookup_(Evaluator& ev, std::span<const Node> a) {
  Scalar key = lookup_key(ev, a[0]);
  Value where = ev.eval(a[1]);
  if (auto e = not_a_table(where)) return *e;
  auto [rows, cols] = ev.shape(where);
  bool down = rows >= cols;
  int count = down ? ev.used_rows(where) : cols;
  int pos = find_position(key, count, 1, [&](int i) { return down ? ev.item(where, i, 0) : ev.item(where, 0, i); });
  if (pos < 0) return CellError::NA;
  if (a.size() < 3) return down ? ev.item(where, pos, cols - 1) : ev.item(where, rows - 1, pos);
  Value result = ev.eval(a[2]);
  if (auto e = not_a_table(result)) return *e;
  auto [rr, rc] = ev.shape(result);
  return rr >= rc ? ev.item(result, pos, 0) : ev.item(result, 0, pos);
}

Value offset_(Evaluator& ev, std::span<const Node> a) {
  Value base = ev.eval(a[0]);
  if (!base.is_reference() || base.areas.size() != 1) {
    if (auto e = std::get_if<CellError>(&base.scalar)) return *e;
    return CellError::Value;
  }
  const Area& area = base.areas[0];
  int dr = integer_arg(ev, a[1]), dc = integer_arg(ev, a[2]);
  int h = a.size() > 3 && !ev.is_missing(a[3]) ? integer_arg(ev, a[3]) : area.range.rows();
  int w = a.size() > 4 && !ev.is_missing(a[4]) ? integer_arg(ev, a[4]) : area.range.cols();
  if (h == 0 || w == 0) return CellError::Ref;
  long long r1 = static_cast<long long>(area.range.first.row) + dr, c1 = static_cast<long long>(area.range.first.col) + dc;
  long long r2 = r1 + h + (h > 0 ? -1 : 1), c2 = c1 + w + (w > 0 ? -1 : 1);
  if (std::min(r1, r2) < 0 || std::max(r1, r2) >= model::kMaxRows || std::min(c1, c2) < 0 || std::max(c1, c2) >= model::kMaxColumns)
    return CellError::Ref;
  model::RangeRef r{{static_cast<int>(std::min(r1, r2)), static_cast<int>(std::min(c1, c2))},
                    {static_cast<int>(std::max(r1, r2)), static_cast<int>(std::max(c1, c2))}};
  return Value::reference({Area{area.sheet, r}});
}

// One side of a reference typed as text: a cell, or a whole row or column (the other index -1).
struct Edge {
  int row = -1;
  int col = -1;
};

// Whole numbers 1..limit from `t` at `i` (at least one digit); nullopt past the limit.
std::optional<int> index_at(std::u16string_view t, size_t& i, int limit) {
  size_t start = i;
  long n = 0;
  while (i < t.size() && t[i] >= u'0' && t[i] <= u'9' && n <= limit) n = n * 10 + (t[i++] - u'0');
  if (i == start || n < 1 || n > limit) return std::nullopt;
  return static_cast<int>(n);
}

// "B3", "$B$3", "8", "$8", "H", "$H".
std::optional<Edge> a1_edge(std::u16string_view t) {
  size_t i = t.starts_with(u'$') ? 1 : 0;
  size_t letters = i;
  while (i < t.size() && ((t[i] | 0x20) >= u'a' && (t[i] | 0x20) <= u'z')) ++i;
  if (i == letters) {  // a row
    auto row = index_at(t, i, model::kMaxRows);
    if (!row || i != t.size()) return std::nullopt;
    return Edge{*row - 1, -1};
  }
  auto col = model::column_from_letters(t.substr(letters, i - letters));
  if (!col) return std::nullopt;
  if (i == t.size()) return Edge{-1, *col};
  auto cell = model::parse_a1(t);
  if (!cell) return std::nullopt;
  return Edge{cell->row, cell->col};
}

// "R3C2", "R8" (a row), "C2" (a column); absolute only.
std::optional<Edge> r1c1_edge(std::u16string_view t) {
  size_t i = 0;
  Edge e;
  if (i < t.size() && (t[i] | 0x20) == u'r') {
    auto row = index_at(t, ++i, model::kMaxRows);
    if (!row) return std::nullopt;
    e.row = *row - 1;
  }
  if (i < t.size() && (t[i] | 0x20) == u'c') {
    auto col = index_at(t, ++i, model::kMaxColumns);
    if (!col) return std::nullopt;
    e.col = *col - 1;
  }
  if (i != t.size() || (e.row < 0 && e.col < 0)) return std::nullopt;
  return e;
}

// The rectangle between two edges of the same kind: cells, whole rows or whole columns.
std::optional<model::RangeRef> between(const Edge& a, const Edge& b) {
  if ((a.row < 0) != (b.row < 0) || (a.col < 0) != (b.col < 0)) return std::nullopt;
  model::RangeRef r{{std::min(a.row, b.row), std::min(a.col, b.col)}, {std::max(a.row, b.row), std::max(a.col, b.col)}};
  if (a.row < 0) r.first.row = 0, r.last.row = model::kMaxRows - 1;
  if (a.col < 0) r.first.col = 0, r.last.col = model::kMaxColumns - 1;
  return r;
}

// INDIRECT(text[, a1]): "B3", "$A$1:$B$2", "8:8", "$H:$H", "Sheet2!A1", "'My Sheet'!A:A" (R1C1
// text when a1 is FALSE: "R3C2", "R1C1:R2C2", "R8", "C2:C3"). In A1 text a lone row or column
// ("8", "H") is no reference.
std::optional<Area> reference_from_text(Evaluator& ev, std::u16string_view text, bool a1) {
  int sheet = ev.sheet();
  size_t bang = text.rfind(u'!');
  if (bang != std::u16string_view::npos) {
    std::u16string name(text.substr(0, bang));
    if (name.size() >= 2 && name.front() == u'\'' && name.back() == u'\'') {
      std::u16string unquoted;
      for (size_t i = 1; i + 1 < name.size(); ++i) {
        unquoted += name[i];
        if (name[i] == u'\'' && i + 2 < name.size() && name[i + 1] == u'\'') ++i;
      }
      name = unquoted;
    }
    const model::Workbook& wb = ev.source().workbook();
    sheet = wb.sheet_index(wb.sheet(name));
    if (sheet < 0) return std::nullopt;
    text = text.substr(bang + 1);
  }
  auto edge = a1 ? a1_edge : r1c1_edge;
  size_t colon = text.find(u':');
  auto first = edge(text.substr(0, colon));
  if (!first) return std::nullopt;
  if (colon == std::u16string_view::npos) {
    if (a1 && (first->row < 0 || first->col < 0)) return std::nullopt;
    return Area{sheet, *between(*first, *first)};
  }
  auto last = edge(text.substr(colon + 1));
  if (!last) return std::nullopt;
  auto range = between(*first, *last);
  if (!range) return std::nullopt;
  return Area{sheet, *range};
}

Value indirect_(Evaluator& ev, std::span<const Node> a) {
  std::u16string text = ev.text(a[0]);
  bool a1 = a.size() < 2 || ev.is_missing(a[1]) || ev.boolean(a[1]);
  auto area = reference_from_text(ev, text, a1);
  if (!area) return CellError::Ref;
  return Value::reference({*area});
}

// Decimal digits of a whole number.
std::u16string number(int n) {
  std::u16string s;
  for (char c : std::to_string(n)) s += static_cast<char16_t>(c);
  return s;
}

// ADDRESS(row, column[, abs_num[, a1[, sheet]]]): "$B$3", "B$3", "$B3", "B3" or "R3C2", "R3C[2]" ...
Value address_(Evaluator& ev, std::span<const Node> a) {
  int row = integer_arg(ev, a[0]), col = integer_arg(ev, a[1]);
  int kind = a.size() > 2 && !ev.is_missing(a[2]) ? integer_arg(ev, a[2]) : 1;
  bool a1 = a.size() < 4 || ev.is_missing(a[3]) || ev.boolean(a[3]);
  if (kind < 1 || kind > 4) return CellError::Value;
  if (row < 1 || col < 1 || row > model::kMaxRows || col > model::kMaxColumns) return CellError::Value;
  bool abs_row = kind == 1 || kind == 2, abs_col = kind == 1 || kind == 3;
  std::u16string text;
  if (a1) {
    text = (abs_col ? u"$" : u"") + model::column_letters(col - 1) + (abs_row ? u"$" : u"") + number(row);
  } else {
    text = abs_row ? u"R" + number(row) : u"R[" + number(row) + u"]";
    text += abs_col ? u"C" + number(col) : u"C[" + number(col) + u"]";
  }
  if (a.size() > 4 && !ev.is_missing(a[4])) {
    std::u16string sheet = ev.text(a[4]);
    if (sheet_name_needs_quotes(sheet) && !sheet.starts_with(u"[")) {  // "[Book1]Sheet1" stays bare
      std::u16string q = u"'";
      for (char16_t c : sheet) q += c == u'\'' ? std::u16string(u"''") : std::u16string(1, c);
      sheet = q + u"'";
    }
    text = sheet + u"!" + text;
  }
  return text;
}

// CELL(info_type[, reference]): what the spreadsheet tells of the reference's upper-left cell,
// by the English info type in any case; other text is #VALUE!. Without a reference the formula's
// own cell stands for the last one changed.
Value cell_(Evaluator& ev, std::span<const Node> a) {
  Scalar kind_value = ev.scalar(a[0]);
  if (auto e = std::get_if<CellError>(&kind_value)) return *e;
  if (!is_text(kind_value)) return CellError::Value;
  const std::u16string kind = lower(std::get<std::u16string>(kind_value));
  Area target{ev.sheet(), {ev.cell(), ev.cell()}};
  if (a.size() > 1 && !ev.is_missing(a[1])) {
    Value ref = ev.eval(a[1]);
    if (!ref.is_reference()) {
      if (auto e = std::get_if<CellError>(&ref.scalar)) return *e;
      return CellError::Value;
    }
    if (ref.areas.empty()) return CellError::Ref;
    target = ref.areas[0];
  }
  const model::CellRef at = target.range.first;
  if (kind == u"address") {
    // On another sheet the answer starts with the workbook's file name, which formulas do not see.
    if (target.sheet != ev.sheet()) throw NotComputable{"CELL(\"address\") of another sheet"};
    return u"$" + model::column_letters(at.col) + u"$" + number(at.row + 1);
  }
  if (kind == u"row") return static_cast<double>(at.row + 1);
  if (kind == u"col") return static_cast<double>(at.col + 1);
  if (kind == u"contents" || kind == u"type") {
    Scalar v = ev.source().cell(target.sheet, at);
    if (kind == u"contents") return is_blank(v) ? Scalar(0.0) : v;
    return std::u16string(is_blank(v) ? u"b" : is_text(v) ? u"l" : u"v");
  }
  for (std::u16string_view known : {u"color", u"filename", u"format", u"parentheses", u"prefix", u"protect", u"width"})
    if (kind == known) throw NotComputable{"CELL(\"" + to_utf8(known) + "\") is not computed"};
  return CellError::Value;
}

Value transpose_(Evaluator& ev, std::span<const Node> a) {
  Value v = ev.eval(a[0]);
  if (auto e = not_a_table(v); e && !is_blank(v.scalar) && !is_number(v.scalar) && !is_text(v.scalar) && !is_bool(v.scalar)) return *e;
  auto [rows, cols] = ev.shape(v);
  if (static_cast<long long>(rows) * cols > 4LL * model::kMaxRows) return CellError::Num;
  Matrix m{cols, rows, {}};
  for (int r = 0; r < cols; ++r)
    for (int c = 0; c < rows; ++c) {
      Scalar s = ev.item(v, c, r);
      m.items.push_back(is_blank(s) ? Scalar(0.0) : s);
    }
  return Value::array(std::move(m));
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
Value areas_(Evaluator& ev, std::span<const Node> a) {
  Value v = ev.eval(a[0]);
  if (!v.is_reference()) return CellError::Value;
  return static_cast<double>(v.areas.size());
}
Value isref_(Evaluator& ev, std::span<const Node> a) { return ev.eval(a[0]).is_reference(); }
Value rows_(Evaluator& ev, std::span<const Node> a) { return static_cast<double>(ev.shape(ev.eval(a[0])).first); }
Value columns_(Evaluator& ev, std::span<const Node> a) { return static_cast<double>(ev.shape(ev.eval(a[0])).second); }

}  // namespace

void add_lookup_functions(FunctionMap& m) {
  m[u"CHOOSE"] = choose_;
  m[u"LOOKUP"] = lookup_;
  m[u"ADDRESS"] = address_;
  m[u"TRANSPOSE"] = transpose_;
  m[u"OFFSET"] = offset_;
  m[u"INDIRECT"] = indirect_;
  m[u"VLOOKUP"] = vlookup_;
  m[u"HLOOKUP"] = hlookup_;
  m[u"MATCH"] = match_;
  m[u"INDEX"] = index_;
  m[u"ROW"] = row_;
  m[u"COLUMN"] = column_;
  m[u"ROWS"] = rows_;
  m[u"AREAS"] = areas_;
  m[u"ISREF"] = isref_;
  m[u"COLUMNS"] = columns_;
  m[u"CELL"] = cell_;
}

}  // namespace tabrel::formula
