// Statistical functions: AVERAGE COUNT COUNTA COUNTBLANK COUNTIF MAX MIN LARGE SMALL MEDIAN MODE
// RANK STDEV STDEVP VAR VARP SUBTOTAL GEOMEAN HARMEAN, and AVERAGEA MAXA MINA STDEVA STDEVPA
// VARA VARPA.

#include <algorithm>
#include <cmath>
#include <map>

#include "spreadsheet/formula/criteria.h"
#include "spreadsheet/formula/function_helpers.h"
#include "spreadsheet/formula/functions.h"

namespace tabrel::formula {
namespace {

double mean(const std::vector<double>& v) {
  if (v.empty()) throw ErrorSignal{CellError::Div0};
  double s = 0;
  for (double d : v) s += d;
  return s / static_cast<double>(v.size());
}

Value average_(Evaluator& ev, std::span<const Node> a) { return mean(collect_numbers(ev, a)); }

Value max_(Evaluator& ev, std::span<const Node> a) {
  auto v = collect_numbers(ev, a);
  return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
}
Value min_(Evaluator& ev, std::span<const Node> a) {
  auto v = collect_numbers(ev, a);
  return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

Value count_(Evaluator& ev, std::span<const Node> a) {
  double n = 0;
  for (const Node& arg : a)
    ev.each_value(arg, [&](const Scalar& s, bool direct) {
      if (is_number(s)) ++n;
      else if (direct && is_bool(s)) ++n;
      else if (direct && is_text(s) && text_to_number(std::get<std::u16string>(s), ev.date_system())) ++n;
    });
  return n;
}

Value counta_(Evaluator& ev, std::span<const Node> a) {
  double n = 0;
  for (const Node& arg : a) {
    if (ev.is_missing(arg)) {
      ++n;
      continue;
    }
    ev.each_value(arg, [&](const Scalar& s, bool direct) {
      if (!is_blank(s) || direct) ++n;
    });
  }
  return n;
}

Value countblank_(Evaluator& ev, std::span<const Node> a) {
  Value v = ev.eval(a[0]);
  if (!v.is_reference() || v.areas.size() != 1) return CellError::Value;
  double filled = 0;
  ev.each_cell(v.areas[0], [&](model::CellRef, const Scalar& s) {
    if (!(is_text(s) && std::get<std::u16string>(s).empty())) ++filled;
  });
  return static_cast<double>(v.areas[0].range.cell_count()) - filled;
}

Value countif_(Evaluator& ev, std::span<const Node> a) {
  Value v = ev.eval(a[0]);
  if (!v.is_reference() || v.areas.size() != 1) return CellError::Value;
  Criterion crit(ev.scalar(a[1]), ev.date_system());
  double n = 0, filled = 0;
  ev.each_cell(v.areas[0], [&](model::CellRef, const Scalar& s) {
    ++filled;
    if (crit.matches(s)) ++n;
  });
  if (crit.matches(Scalar{})) n += static_cast<double>(v.areas[0].range.cell_count()) - filled;
  return n;
}

// Numbers of the first argument of LARGE, SMALL, RANK: references and arrays only.
std::vector<double> numbers_of(Evaluator& ev, const Node& n) {
  std::vector<double> out;
  ev.each_value(n, [&](const Scalar& s, bool direct) {
    if (auto e = std::get_if<CellError>(&s)) throw ErrorSignal{*e};
    if (auto d = std::get_if<double>(&s)) out.push_back(*d);
    else if (direct) out.push_back(ev.to_number(s));
  });
  return out;
}

Value kth(Evaluator& ev, std::span<const Node> a, bool largest) {
  std::vector<double> v = numbers_of(ev, a[0]);
  double k = std::ceil(ev.number(a[1]));
  if (v.empty() || k < 1 || k > static_cast<double>(v.size())) return CellError::Num;
  auto i = static_cast<size_t>(k - 1);
  if (largest) std::nth_element(v.begin(), v.begin() + static_cast<long>(i), v.end(), std::greater<>());
  else std::nth_element(v.begin(), v.begin() + static_cast<long>(i), v.end());
  return v[i];
}
Value large_(Evaluator& ev, std::span<const Node> a) { return kth(ev, a, true); }
Value small_(Evaluator& ev, std::span<const Node> a) { return kth(ev, a, false); }

Value median_(Evaluator& ev, std::span<const Node> a) {
  std::vector<double> v = collect_numbers(ev, a);
  if (v.empty()) return CellError::Num;
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

Value mode_(Evaluator& ev, std::span<const Node> a) {
  // Numbers only: text, even typed as an argument, is passed over.
  std::vector<double> v;
  for (const Node& arg : a)
    ev.each_value(arg, [&](const Scalar& s, bool) {
      if (auto e = std::get_if<CellError>(&s)) throw ErrorSignal{*e};
      if (auto d = std::get_if<double>(&s)) v.push_back(*d);
    });
  std::map<double, int> counts;
  for (double d : v) ++counts[d];
  int best = 1;
  std::optional<double> result;
  // The first value, in the order of the data, that reaches the highest count.
  for (double d : v) {
    int c = counts[d];
    if (c > best) {
      best = c;
      result = d;
    }
  }
  if (!result) return CellError::NA;
  return *result;
}

Value rank_(Evaluator& ev, std::span<const Node> a) {
  double x = ev.number(a[0]);
  Value ref = ev.eval(a[1]);
  if (!ref.is_reference()) return CellError::Value;
  bool ascending = a.size() > 2 && !ev.is_missing(a[2]) && ev.number(a[2]) != 0;
  double better = 0;
  bool found = false;
  ev.each_value(ref, [&](const Scalar& s, bool) {
    if (!is_number(s)) return;
    double d = std::get<double>(s);
    if (d == x) found = true;
    if (ascending ? d < x : d > x) ++better;
  });
  if (!found) return CellError::NA;
  return better + 1;
}

Value avedev_(Evaluator& ev, std::span<const Node> a) {
  std::vector<double> v = collect_numbers(ev, a);
  if (v.empty()) return CellError::Num;
  double m = mean(v), s = 0;
  for (double d : v) s += std::fabs(d - m);
  return s / static_cast<double>(v.size());
}

Value devsq_(Evaluator& ev, std::span<const Node> a) {
  std::vector<double> v = collect_numbers(ev, a);
  if (v.empty()) return CellError::Num;
  double m = mean(v), s = 0;
  for (double d : v) s += (d - m) * (d - m);
  return s;
}

// PERCENTILE (k in 0..1) and QUARTILE (0..4): linear interpolation between ranks.
double percentile(std::vector<double> v, double k) {
  if (v.empty() || k < 0 || k > 1) throw ErrorSignal{CellError::Num};
  std::sort(v.begin(), v.end());
  double pos = k * static_cast<double>(v.size() - 1);
  auto lo = static_cast<size_t>(std::floor(pos));
  size_t hi = std::min(lo + 1, v.size() - 1);
  return v[lo] + (pos - static_cast<double>(lo)) * (v[hi] - v[lo]);
}
Value percentile_(Evaluator& ev, std::span<const Node> a) { return percentile(numbers_of(ev, a[0]), ev.number(a[1])); }
Value quartile_(Evaluator& ev, std::span<const Node> a) {
  double q = std::trunc(ev.number(a[1]));
  if (q < 0 || q > 4) return CellError::Num;
  return percentile(numbers_of(ev, a[0]), q / 4);
}

Value stdev_(Evaluator& ev, std::span<const Node> a) { return std::sqrt(variance(collect_numbers(ev, a), true)); }
Value stdevp_(Evaluator& ev, std::span<const Node> a) { return std::sqrt(variance(collect_numbers(ev, a), false)); }
Value var_(Evaluator& ev, std::span<const Node> a) { return variance(collect_numbers(ev, a), true); }
Value varp_(Evaluator& ev, std::span<const Node> a) { return variance(collect_numbers(ev, a), false); }

// The functions ending in A count text as 0 and booleans as 1 or 0.
Value averagea_(Evaluator& ev, std::span<const Node> a) { return mean(collect_values(ev, a)); }
Value maxa_(Evaluator& ev, std::span<const Node> a) {
  auto v = collect_values(ev, a);
  return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
}
Value mina_(Evaluator& ev, std::span<const Node> a) {
  auto v = collect_values(ev, a);
  return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}
Value stdeva_(Evaluator& ev, std::span<const Node> a) { return std::sqrt(variance(collect_values(ev, a), true)); }
Value stdevpa_(Evaluator& ev, std::span<const Node> a) { return std::sqrt(variance(collect_values(ev, a), false)); }
Value vara_(Evaluator& ev, std::span<const Node> a) { return variance(collect_values(ev, a), true); }
Value varpa_(Evaluator& ev, std::span<const Node> a) { return variance(collect_values(ev, a), false); }

// Means of positive numbers only.
Value geomean_(Evaluator& ev, std::span<const Node> a) {
  std::vector<double> v = collect_numbers(ev, a);
  double logs = 0;
  for (double d : v) {
    if (d <= 0) return CellError::Num;
    logs += std::log(d);
  }
  if (v.empty()) return CellError::Num;
  return std::exp(logs / static_cast<double>(v.size()));
}
Value harmean_(Evaluator& ev, std::span<const Node> a) {
  std::vector<double> v = collect_numbers(ev, a);
  double inverses = 0;
  for (double d : v) {
    if (d <= 0) return CellError::Num;
    inverses += 1 / d;
  }
  if (v.empty()) return CellError::Num;
  return static_cast<double>(v.size()) / inverses;
}

Value subtotal_(Evaluator& ev, std::span<const Node> a) {
  int fn = integer_arg(ev, a[0]);
  bool skip_all_hidden = fn > 100;
  int base = fn % 100;
  if (!((fn >= 1 && fn <= 11) || (fn >= 101 && fn <= 111))) return CellError::Value;
  const model::Workbook& wb = ev.source().workbook();
  std::vector<double> numbers;
  double non_blank = 0;
  for (const Node& arg : a.subspan(1)) {
    Value v = ev.eval(arg);
    if (!v.is_reference()) return CellError::Value;
    for (const Area& area : v.areas) {
      const model::Sheet& sheet = *wb.sheets.at(static_cast<size_t>(area.sheet));
      bool filtered = sheet.autofilter && sheet.autofilter->filter_mode;
      ev.each_cell(area, [&](model::CellRef p, const Scalar& s) {
        if (sheet.row_hidden(p.row) && (skip_all_hidden || (filtered && sheet.autofilter->range.contains({p.row, sheet.autofilter->range.first.col}))))
          return;
        if (ev.source().is_subtotal(area.sheet, p)) return;
        if (auto e = std::get_if<CellError>(&s)) throw ErrorSignal{*e};
        ++non_blank;
        if (auto d = std::get_if<double>(&s)) numbers.push_back(*d);
      });
    }
  }
  auto sum = [&] {
    double t = 0;
    for (double d : numbers) t += d;
    return t;
  };
  switch (base) {
    case 1: return mean(numbers);
    case 2: return static_cast<double>(numbers.size());
    case 3: return non_blank;
    case 4: return numbers.empty() ? 0.0 : *std::max_element(numbers.begin(), numbers.end());
    case 5: return numbers.empty() ? 0.0 : *std::min_element(numbers.begin(), numbers.end());
    case 6: {
      double p = numbers.empty() ? 0 : 1;
      for (double d : numbers) p *= d;
      return p;
    }
    case 7: return std::sqrt(variance(numbers, true));
    case 8: return std::sqrt(variance(numbers, false));
    case 9: return sum();
    case 10: return variance(numbers, true);
    default: return variance(numbers, false);
  }
}

}  // namespace

void add_statistical_functions(FunctionMap& m) {
  m[u"AVERAGE"] = average_;
  m[u"MAX"] = max_;
  m[u"MIN"] = min_;
  m[u"COUNT"] = count_;
  m[u"COUNTA"] = counta_;
  m[u"COUNTBLANK"] = countblank_;
  m[u"COUNTIF"] = countif_;
  m[u"LARGE"] = large_;
  m[u"SMALL"] = small_;
  m[u"MEDIAN"] = median_;
  m[u"MODE"] = mode_;
  m[u"RANK"] = rank_;
  m[u"STDEV"] = stdev_;
  m[u"AVEDEV"] = avedev_;
  m[u"DEVSQ"] = devsq_;
  m[u"PERCENTILE"] = percentile_;
  m[u"QUARTILE"] = quartile_;
  m[u"STDEVP"] = stdevp_;
  m[u"VAR"] = var_;
  m[u"VARP"] = varp_;
  m[u"SUBTOTAL"] = subtotal_;
  m[u"AVERAGEA"] = averagea_;
  m[u"MAXA"] = maxa_;
  m[u"MINA"] = mina_;
  m[u"STDEVA"] = stdeva_;
  m[u"STDEVPA"] = stdevpa_;
  m[u"VARA"] = vara_;
  m[u"VARPA"] = varpa_;
  m[u"GEOMEAN"] = geomean_;
  m[u"HARMEAN"] = harmean_;
}

}  // namespace tabrel::formula
