// Mathematical functions: ABS INT MOD PI POWER ROUND ROUNDDOWN ROUNDUP TRUNC FACT SQRT SIGN SUM
// PRODUCT SUMIF SUMPRODUCT.

#include <cmath>
#include <numbers>

#include "spreadsheet/formula/criteria.h"
#include "spreadsheet/formula/decimal_round.h"
#include "spreadsheet/formula/function_helpers.h"
#include "spreadsheet/formula/functions.h"

namespace tabrel::formula {
namespace {

Value abs_(Evaluator& ev, std::span<const Node> a) { return std::fabs(ev.number(a[0])); }
Value int_(Evaluator& ev, std::span<const Node> a) { return std::floor(ev.number(a[0])); }
Value sign_(Evaluator& ev, std::span<const Node> a) {
  double d = ev.number(a[0]);
  return d > 0 ? 1.0 : d < 0 ? -1.0 : 0.0;
}
Value pi_(Evaluator&, std::span<const Node>) { return std::numbers::pi; }

Value mod_(Evaluator& ev, std::span<const Node> a) {
  double n = ev.number(a[0]), d = ev.number(a[1]);
  if (d == 0) return CellError::Div0;
  double r = n - d * std::floor(n / d);
  if (r != 0 && std::fabs(r - d) < std::fabs(d) * 1e-15) r = 0;
  return checked(r);
}

Value power_(Evaluator& ev, std::span<const Node> a) {
  double x = ev.number(a[0]), y = ev.number(a[1]);
  if (x == 0 && y == 0) return CellError::Num;
  if (x == 0 && y < 0) return CellError::Div0;
  return checked(std::pow(x, y));
}

Value sqrt_(Evaluator& ev, std::span<const Node> a) {
  double x = ev.number(a[0]);
  if (x < 0) return CellError::Num;
  return std::sqrt(x);
}

Value fact_(Evaluator& ev, std::span<const Node> a) {
  double n = std::trunc(ev.number(a[0]));
  if (n < 0 || n > 170) return CellError::Num;
  double r = 1;
  for (int i = 2; i <= static_cast<int>(n); ++i) r *= i;
  return r;
}

Value rounding(Evaluator& ev, std::span<const Node> a, RoundMode mode) {
  double x = ev.number(a[0]);
  double digits = a.size() > 1 && !ev.is_missing(a[1]) ? std::trunc(ev.number(a[1])) : 0;
  return round_decimal(x, static_cast<int>(std::clamp(digits, -400.0, 400.0)), mode);
}
Value round_(Evaluator& ev, std::span<const Node> a) { return rounding(ev, a, RoundMode::HalfAwayFromZero); }
Value rounddown_(Evaluator& ev, std::span<const Node> a) { return rounding(ev, a, RoundMode::Down); }
Value roundup_(Evaluator& ev, std::span<const Node> a) { return rounding(ev, a, RoundMode::Up); }
Value trunc_(Evaluator& ev, std::span<const Node> a) { return rounding(ev, a, RoundMode::Down); }

Value sum_(Evaluator& ev, std::span<const Node> a) {
  double s = 0;
  for (double d : collect_numbers(ev, a)) s += d;
  return checked(s);
}

Value product_(Evaluator& ev, std::span<const Node> a) {
  std::vector<double> v = collect_numbers(ev, a);
  if (v.empty()) return 0.0;
  double p = 1;
  for (double d : v) p *= d;
  return checked(p);
}

Value sumif_(Evaluator& ev, std::span<const Node> a) {
  Value range = ev.eval(a[0]);
  if (!range.is_reference() || range.areas.size() != 1) return CellError::Value;
  Criterion crit(ev.scalar(a[1]), ev.date_system());
  Value sum_range = a.size() > 2 && !ev.is_missing(a[2]) ? ev.eval(a[2]) : range;
  if (!sum_range.is_reference() || sum_range.areas.empty()) return CellError::Value;
  const Area& r = range.areas[0];
  model::CellRef origin = sum_range.areas[0].range.first;
  int sum_sheet = sum_range.areas[0].sheet;
  double total = 0;
  // Blank cells of the range can match ("" or "<>x" criteria): walk every position then.
  bool blanks_match = crit.matches(Scalar{});
  auto add = [&](model::CellRef p) {
    Scalar v = ev.source().cell(sum_sheet, {origin.row + (p.row - r.range.first.row), origin.col + (p.col - r.range.first.col)});
    if (auto e = std::get_if<CellError>(&v)) throw ErrorSignal{*e};
    if (auto d = std::get_if<double>(&v)) total += *d;
  };
  if (blanks_match) {
    // Only rows that hold something in the sum range can add anything.
    Area sum_area{sum_sheet, {origin, {origin.row + r.range.rows() - 1, origin.col + r.range.cols() - 1}}};
    ev.each_cell(sum_area, [&](model::CellRef p, const Scalar&) {
      model::CellRef in_range{r.range.first.row + (p.row - origin.row), r.range.first.col + (p.col - origin.col)};
      if (crit.matches(ev.source().cell(r.sheet, in_range))) add(in_range);
    });
  } else {
    ev.each_cell(r, [&](model::CellRef p, const Scalar& v) {
      if (crit.matches(v)) add(p);
    });
  }
  return checked(total);
}

Value sumproduct_(Evaluator& ev, std::span<const Node> a) {
  bool was = ev.array_mode();
  ev.set_array_mode(true);
  std::vector<Value> values;
  for (const Node& n : a) values.push_back(ev.eval(n));
  ev.set_array_mode(was);
  auto [rows, cols] = ev.shape(values[0]);
  if (static_cast<long long>(rows) * cols > 4LL * model::kMaxRows) return CellError::Num;
  for (const Value& v : values) {
    if (!v.is_reference() && !v.is_array() && !(rows == 1 && cols == 1)) return CellError::Value;
    if (ev.shape(v) != std::pair{rows, cols}) return CellError::Value;
  }
  double total = 0;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      double p = 1;
      for (const Value& v : values) {
        Scalar s = ev.item(v, r, c);
        if (auto e = std::get_if<CellError>(&s)) throw ErrorSignal{*e};
        p *= is_number(s) ? std::get<double>(s) : 0;
      }
      total += p;
    }
  return checked(total);
}

template <double (*F)(double)>
Value unary_math(Evaluator& ev, std::span<const Node> a) {
  return checked(F(ev.number(a[0])));
}
double sin_(double x) { return std::sin(x); }
double cos_(double x) { return std::cos(x); }
double tan_(double x) { return std::tan(x); }
double atan_(double x) { return std::atan(x); }
double exp_(double x) { return std::exp(x); }
double radians_(double x) { return x * std::numbers::pi / 180; }
double sinh_(double x) { return std::sinh(x); }
double cosh_(double x) { return std::cosh(x); }
double tanh_(double x) { return std::tanh(x); }
double asinh_(double x) { return std::asinh(x); }

// Functions defined on part of the line: #NUM! outside it.
template <double (*F)(double), bool (*Domain)(double)>
Value partial_math(Evaluator& ev, std::span<const Node> a) {
  double x = ev.number(a[0]);
  if (!Domain(x)) return CellError::Num;
  return checked(F(x));
}
bool unit_interval(double x) { return x >= -1 && x <= 1; }
bool open_unit_interval(double x) { return x > -1 && x < 1; }
bool at_least_one(double x) { return x >= 1; }
double asin_(double x) { return std::asin(x); }
double acos_(double x) { return std::acos(x); }
double atanh_(double x) { return std::atanh(x); }
double acosh_(double x) { return std::acosh(x); }

Value atan2_(Evaluator& ev, std::span<const Node> a) {
  double x = ev.number(a[0]), y = ev.number(a[1]);
  if (x == 0 && y == 0) return CellError::Div0;
  return std::atan2(y, x);
}

// EVEN and ODD round away from zero to the next even or odd integer.
Value even_odd(Evaluator& ev, std::span<const Node> a, bool odd) {
  double x = ev.number(a[0]);
  double m = std::ceil(std::fabs(x) - 1e-12);
  if (odd ? std::fmod(m, 2) == 0 : std::fmod(m, 2) != 0) m += 1;
  if (odd && m == 0) m = 1;
  return x < 0 ? -m : m;
}
Value even_(Evaluator& ev, std::span<const Node> a) { return even_odd(ev, a, false); }
Value odd_(Evaluator& ev, std::span<const Node> a) { return even_odd(ev, a, true); }

Value combin_(Evaluator& ev, std::span<const Node> a) {
  double n = std::trunc(ev.number(a[0])), k = std::trunc(ev.number(a[1]));
  if (n < 0 || k < 0 || k > n) return CellError::Num;
  double r = 1;
  for (double i = 1; i <= std::min(k, n - k); ++i) r = r * (n - i + 1) / i;
  return checked(std::round(r));
}
Value permut_(Evaluator& ev, std::span<const Node> a) {
  double n = std::trunc(ev.number(a[0])), k = std::trunc(ev.number(a[1]));
  if (n < 0 || k < 0 || k > n) return CellError::Num;
  double r = 1;
  for (double i = 0; i < k; ++i) r *= n - i;
  return checked(r);
}
double degrees_(double x) { return x * 180 / std::numbers::pi; }

Value logarithm(double x, double base) {
  if (x <= 0 || base <= 0 || base == 1) return CellError::Num;
  return std::log(x) / std::log(base);
}
Value ln_(Evaluator& ev, std::span<const Node> a) {
  double x = ev.number(a[0]);
  if (x <= 0) return CellError::Num;
  return std::log(x);
}
Value log10_(Evaluator& ev, std::span<const Node> a) { return logarithm(ev.number(a[0]), 10); }
Value log_(Evaluator& ev, std::span<const Node> a) {
  double x = ev.number(a[0]);
  return logarithm(x, a.size() > 1 && !ev.is_missing(a[1]) ? ev.number(a[1]) : 10);
}

// CEILING and FLOOR: to a multiple of `significance`, which must share the number's sign.
Value to_multiple(Evaluator& ev, std::span<const Node> a, bool up) {
  double x = ev.number(a[0]), m = ev.number(a[1]);
  if (x == 0) return 0.0;
  if (m == 0) return up ? Value(0.0) : Value(CellError::Div0);
  if (x > 0 && m < 0) return CellError::Num;
  double q = x / m;
  double n = up ? std::ceil(q - 1e-12) : std::floor(q + 1e-12);
  return n * m;
}
Value ceiling_(Evaluator& ev, std::span<const Node> a) { return to_multiple(ev, a, true); }
Value floor_(Evaluator& ev, std::span<const Node> a) { return to_multiple(ev, a, false); }

Value sumsq_(Evaluator& ev, std::span<const Node> a) {
  double s = 0;
  for (double d : collect_numbers(ev, a)) s += d * d;
  return checked(s);
}

}  // namespace

void add_math_functions(FunctionMap& m) {
  m[u"SIN"] = unary_math<sin_>;
  m[u"SINH"] = unary_math<sinh_>;
  m[u"COSH"] = unary_math<cosh_>;
  m[u"TANH"] = unary_math<tanh_>;
  m[u"ASINH"] = unary_math<asinh_>;
  m[u"ASIN"] = partial_math<asin_, unit_interval>;
  m[u"ACOS"] = partial_math<acos_, unit_interval>;
  m[u"ATANH"] = partial_math<atanh_, open_unit_interval>;
  m[u"ACOSH"] = partial_math<acosh_, at_least_one>;
  m[u"ATAN2"] = atan2_;
  m[u"EVEN"] = even_;
  m[u"ODD"] = odd_;
  m[u"COMBIN"] = combin_;
  m[u"PERMUT"] = permut_;
  m[u"COS"] = unary_math<cos_>;
  m[u"TAN"] = unary_math<tan_>;
  m[u"ATAN"] = unary_math<atan_>;
  m[u"EXP"] = unary_math<exp_>;
  m[u"RADIANS"] = unary_math<radians_>;
  m[u"DEGREES"] = unary_math<degrees_>;
  m[u"LN"] = ln_;
  m[u"LOG10"] = log10_;
  m[u"LOG"] = log_;
  m[u"CEILING"] = ceiling_;
  m[u"FLOOR"] = floor_;
  m[u"SUMSQ"] = sumsq_;
  m[u"ABS"] = abs_;
  m[u"INT"] = int_;
  m[u"SIGN"] = sign_;
  m[u"PI"] = pi_;
  m[u"MOD"] = mod_;
  m[u"POWER"] = power_;
  m[u"SQRT"] = sqrt_;
  m[u"FACT"] = fact_;
  m[u"ROUND"] = round_;
  m[u"ROUNDDOWN"] = rounddown_;
  m[u"ROUNDUP"] = roundup_;
  m[u"TRUNC"] = trunc_;
  m[u"SUM"] = sum_;
  m[u"PRODUCT"] = product_;
  m[u"SUMIF"] = sumif_;
  m[u"SUMPRODUCT"] = sumproduct_;
}

}  // namespace tabrel::formula
