// Conditional aggregates over ranges of one shape: AVERAGEIF, AVERAGEIFS, COUNTIFS, SUMIFS.

#include <cmath>

#include "spreadsheet/formula/criteria.h"
#include "spreadsheet/formula/functions.h"

namespace tabrel::formula {
namespace {

struct Condition {
  Value range;
  Criterion criterion;
};

// Values of `target` (or positions, when it is null) where every condition holds.
std::vector<Scalar> matching(Evaluator& ev, const std::vector<Condition>& conds, const Value* target) {
  if (conds.empty()) throw ErrorSignal{CellError::Value};
  auto shape = ev.shape(conds[0].range);
  for (const Condition& c : conds)
    if (!c.range.is_reference() || ev.shape(c.range) != shape) throw ErrorSignal{CellError::Value};
  int rows = ev.used_rows(conds[0].range);
  for (const Condition& c : conds) rows = std::max(rows, ev.used_rows(c.range));
  std::vector<Scalar> out;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < shape.second; ++c) {
      bool all = true;
      for (const Condition& cond : conds)
        if (!cond.criterion.matches(ev.item(cond.range, r, c))) {
          all = false;
          break;
        }
      if (all) out.push_back(target ? ev.item(*target, r, c) : Scalar(1.0));
    }
  // Rows past the last used one are blank in every range: they match when blanks match.
  bool blanks = true;
  for (const Condition& cond : conds) blanks = blanks && cond.criterion.matches(Scalar{});
  if (blanks && !target) {
    double rest = static_cast<double>(shape.first - rows) * shape.second;
    for (double i = 0; i < rest; ++i) out.emplace_back(1.0);
  }
  return out;
}

std::vector<Condition> pairs(Evaluator& ev, std::span<const Node> a) {
  if (a.empty() || a.size() % 2) throw ErrorSignal{CellError::Value};
  std::vector<Condition> out;
  for (size_t i = 0; i + 1 < a.size(); i += 2) out.push_back(Condition{ev.eval(a[i]), Criterion(ev.scalar(a[i + 1]), ev.date_system())});
  return out;
}

double total(const std::vector<Scalar>& values, size_t* count) {
  double s = 0;
  for (const Scalar& v : values) {
    if (auto e = std::get_if<CellError>(&v)) throw ErrorSignal{*e};
    if (auto d = std::get_if<double>(&v)) {
      s += *d;
      if (count) ++*count;
    }
  }
  return s;
}

Value countifs_(Evaluator& ev, std::span<const Node> a) { return static_cast<double>(matching(ev, pairs(ev, a), nullptr).size()); }

Value sumifs_(Evaluator& ev, std::span<const Node> a) {
  if (a.size() < 3) return CellError::Value;
  Value target = ev.eval(a[0]);
  return total(matching(ev, pairs(ev, a.subspan(1)), &target), nullptr);
}

Value averageifs_(Evaluator& ev, std::span<const Node> a) {
  if (a.size() < 3) return CellError::Value;
  Value target = ev.eval(a[0]);
  size_t n = 0;
  double s = total(matching(ev, pairs(ev, a.subspan(1)), &target), &n);
  if (n == 0) return CellError::Div0;
  return s / static_cast<double>(n);
}

Value averageif_(Evaluator& ev, std::span<const Node> a) {
  if (a.size() < 2 || a.size() > 3) return CellError::Value;
  std::vector<Condition> conds{Condition{ev.eval(a[0]), Criterion(ev.scalar(a[1]), ev.date_system())}};
  Value target = a.size() > 2 && !ev.is_missing(a[2]) ? ev.eval(a[2]) : conds[0].range;
  size_t n = 0;
  double s = total(matching(ev, conds, &target), &n);
  if (n == 0) return CellError::Div0;
  return s / static_cast<double>(n);
}

}  // namespace

void add_conditional_functions(FunctionMap& m) {
  m[u"COUNTIFS"] = countifs_;
  m[u"SUMIFS"] = sumifs_;
  m[u"AVERAGEIF"] = averageif_;
  m[u"AVERAGEIFS"] = averageifs_;
}

}  // namespace tabrel::formula
