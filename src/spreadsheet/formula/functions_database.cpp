// Database functions over a list with a header row and a criteria block: DAVERAGE DCOUNT DCOUNTA
// DMAX DMIN DSUM DPRODUCT DSTDEV DSTDEVP DVAR DVARP DGET. Criteria rows are alternatives (OR);
// the cells of one row must all hold (AND); a bare text means "begins with".

#include <algorithm>
#include <cmath>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/criteria.h"
#include "spreadsheet/formula/function_helpers.h"
#include "spreadsheet/formula/functions.h"

namespace tabrel::formula {
namespace {

struct Column {
  int offset;  // column within the database
  Criterion criterion;
};

// Values of the field column in the records that meet the criteria.
std::vector<Scalar> selected(Evaluator& ev, std::span<const Node> a) {
  Value db = ev.eval(a[0]);
  Value crit = ev.eval(a[2]);
  if (!db.is_reference() || !crit.is_reference() || db.areas.size() != 1 || crit.areas.size() != 1)
    throw ErrorSignal{CellError::Value};
  const int rows = ev.shape(db).first, cols = ev.shape(db).second;
  const int crit_rows = ev.shape(crit).first, crit_cols = ev.shape(crit).second;
  if (rows < 1 || crit_rows < 2) throw ErrorSignal{CellError::Value};

  auto header_of = [&](const Scalar& name) -> int {
    std::u16string wanted = ev.to_text(name);
    for (int c = 0; c < cols; ++c) {
      Scalar h = ev.item(db, 0, c);
      if (is_text(h) && equals_ignore_case(std::get<std::u16string>(h), wanted)) return c;
    }
    return -1;
  };

  int field = -1;
  Scalar f = ev.scalar(a[1]);
  if (auto e = std::get_if<CellError>(&f)) throw ErrorSignal{*e};
  if (is_number(f)) field = static_cast<int>(std::trunc(std::get<double>(f))) - 1;
  else if (is_text(f)) field = header_of(f);
  if (field < 0 || field >= cols) throw ErrorSignal{CellError::Value};

  // One list of column criteria per criteria row.
  std::vector<std::vector<Column>> alternatives;
  for (int r = 1; r < crit_rows; ++r) {
    std::vector<Column> row;
    for (int c = 0; c < crit_cols; ++c) {
      Scalar value = ev.item(crit, r, c);
      if (is_blank(value)) continue;
      int col = header_of(ev.item(crit, 0, c));
      if (col < 0) throw ErrorSignal{CellError::Value};
      row.push_back(Column{col, Criterion(value, ev.date_system(), true)});
    }
    alternatives.push_back(std::move(row));
  }

  std::vector<Scalar> out;
  int last = ev.used_rows(db);
  for (int r = 1; r < last; ++r) {
    bool any = std::any_of(alternatives.begin(), alternatives.end(), [&](const std::vector<Column>& conds) {
      return std::all_of(conds.begin(), conds.end(),
                         [&](const Column& c) { return c.criterion.matches(ev.item(db, r, c.offset)); });
    });
    if (any) out.push_back(ev.item(db, r, field));
  }
  return out;
}

std::vector<double> numbers(const std::vector<Scalar>& values) {
  std::vector<double> out;
  for (const Scalar& s : values)
    if (auto d = std::get_if<double>(&s)) out.push_back(*d);
  return out;
}

Value dsum_(Evaluator& ev, std::span<const Node> a) {
  double s = 0;
  for (double d : numbers(selected(ev, a))) s += d;
  return s;
}
Value daverage_(Evaluator& ev, std::span<const Node> a) {
  auto v = numbers(selected(ev, a));
  if (v.empty()) return CellError::Div0;
  double s = 0;
  for (double d : v) s += d;
  return s / static_cast<double>(v.size());
}
Value dcount_(Evaluator& ev, std::span<const Node> a) { return static_cast<double>(numbers(selected(ev, a)).size()); }
Value dcounta_(Evaluator& ev, std::span<const Node> a) {
  auto v = selected(ev, a);
  return static_cast<double>(std::count_if(v.begin(), v.end(), [](const Scalar& s) { return !is_blank(s); }));
}
Value dmax_(Evaluator& ev, std::span<const Node> a) {
  auto v = numbers(selected(ev, a));
  return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
}
Value dmin_(Evaluator& ev, std::span<const Node> a) {
  auto v = numbers(selected(ev, a));
  return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}
Value dproduct_(Evaluator& ev, std::span<const Node> a) {
  auto v = numbers(selected(ev, a));
  double p = v.empty() ? 0 : 1;
  for (double d : v) p *= d;
  return p;
}
Value dvar_(Evaluator& ev, std::span<const Node> a) { return variance(numbers(selected(ev, a)), true); }
Value dvarp_(Evaluator& ev, std::span<const Node> a) { return variance(numbers(selected(ev, a)), false); }
Value dstdev_(Evaluator& ev, std::span<const Node> a) { return std::sqrt(variance(numbers(selected(ev, a)), true)); }
Value dstdevp_(Evaluator& ev, std::span<const Node> a) { return std::sqrt(variance(numbers(selected(ev, a)), false)); }
Value dget_(Evaluator& ev, std::span<const Node> a) {
  auto v = selected(ev, a);
  if (v.empty()) return CellError::Value;
  if (v.size() > 1) return CellError::Num;
  return v[0];
}

}  // namespace

void add_database_functions(FunctionMap& m) {
  m[u"DSUM"] = dsum_;
  m[u"DAVERAGE"] = daverage_;
  m[u"DCOUNT"] = dcount_;
  m[u"DCOUNTA"] = dcounta_;
  m[u"DMAX"] = dmax_;
  m[u"DMIN"] = dmin_;
  m[u"DPRODUCT"] = dproduct_;
  m[u"DVAR"] = dvar_;
  m[u"DVARP"] = dvarp_;
  m[u"DSTDEV"] = dstdev_;
  m[u"DSTDEVP"] = dstdevp_;
  m[u"DGET"] = dget_;
}

}  // namespace tabrel::formula
