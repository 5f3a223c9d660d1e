// Financial functions: PV FV PMT NPER RATE IPMT PPMT ISPMT NPV IRR MIRR SLN SYD DDB DB.
// Money paid out is negative, money received positive; `type` 1 means payments at the start of
// each period, 0 (or omitted) at the end.

#include <cmath>

#include "spreadsheet/formula/function_helpers.h"
#include "spreadsheet/formula/functions.h"

namespace tabrel::formula {
namespace {

// An optional numeric argument; omitted or left empty gives `fallback`.
double optional_number(Evaluator& ev, std::span<const Node> a, size_t i, double fallback = 0) {
  return a.size() > i && !ev.is_missing(a[i]) ? ev.number(a[i]) : fallback;
}
double type_arg(Evaluator& ev, std::span<const Node> a, size_t i) { return optional_number(ev, a, i) != 0 ? 1 : 0; }

// The annuity identity every function here solves for one unknown:
//   pv*(1+r)^n + pmt*(1+r*type)*((1+r)^n - 1)/r + fv = 0   (r != 0)
//   pv + pmt*n + fv = 0                                    (r == 0)
double future_value(double rate, double nper, double pmt, double pv, double type) {
  if (rate == 0) return -(pv + pmt * nper);
  double g = std::pow(1 + rate, nper);
  return -(pv * g + pmt * (1 + rate * type) * (g - 1) / rate);
}

double payment(double rate, double nper, double pv, double fv, double type) {
  if (nper == 0) throw ErrorSignal{CellError::Num};
  if (rate == 0) return -(pv + fv) / nper;
  double g = std::pow(1 + rate, nper);
  return -(pv * g + fv) * rate / ((1 + rate * type) * (g - 1));
}

Value pv_(Evaluator& ev, std::span<const Node> a) {
  double rate = ev.number(a[0]), nper = ev.number(a[1]), pmt = ev.number(a[2]);
  double fv = optional_number(ev, a, 3), type = type_arg(ev, a, 4);
  if (rate == 0) return -(pmt * nper + fv);
  double g = std::pow(1 + rate, nper);
  return checked(-(fv + pmt * (1 + rate * type) * (g - 1) / rate) / g);
}

Value fv_(Evaluator& ev, std::span<const Node> a) {
  double rate = ev.number(a[0]), nper = ev.number(a[1]), pmt = ev.number(a[2]);
  return checked(future_value(rate, nper, pmt, optional_number(ev, a, 3), type_arg(ev, a, 4)));
}

Value pmt_(Evaluator& ev, std::span<const Node> a) {
  double rate = ev.number(a[0]), nper = ev.number(a[1]), pv = ev.number(a[2]);
  return checked(payment(rate, nper, pv, optional_number(ev, a, 3), type_arg(ev, a, 4)));
}

Value nper_(Evaluator& ev, std::span<const Node> a) {
  double rate = ev.number(a[0]), pmt = ev.number(a[1]), pv = ev.number(a[2]);
  double fv = optional_number(ev, a, 3), type = type_arg(ev, a, 4);
  if (rate == 0) {
    if (pmt == 0) return CellError::Num;
    return checked(-(pv + fv) / pmt);
  }
  double p = pmt * (1 + rate * type);
  double ratio = (p - fv * rate) / (p + pv * rate);
  if (!(ratio > 0) || rate <= -1) return CellError::Num;
  return checked(std::log(ratio) / std::log(1 + rate));
}

// The interest part of payment `per` (1-based): interest on the balance left after per-1
// payments; with payments in advance the first one carries none.
double interest_part(double rate, double per, double nper, double pv, double fv, double type) {
  if (per < 1 || per > nper) throw ErrorSignal{CellError::Num};
  double pmt = payment(rate, nper, pv, fv, type);
  if (type == 1 && per == 1) return 0;
  double balance = -future_value(rate, per - 1, pmt, pv, type);
  double interest = -balance * rate;
  return type == 1 ? interest / (1 + rate) : interest;
}

Value ipmt_(Evaluator& ev, std::span<const Node> a) {
  double rate = ev.number(a[0]), per = ev.number(a[1]), nper = ev.number(a[2]), pv = ev.number(a[3]);
  return checked(interest_part(rate, per, nper, pv, optional_number(ev, a, 4), type_arg(ev, a, 5)));
}

Value ppmt_(Evaluator& ev, std::span<const Node> a) {
  double rate = ev.number(a[0]), per = ev.number(a[1]), nper = ev.number(a[2]), pv = ev.number(a[3]);
  double fv = optional_number(ev, a, 4), type = type_arg(ev, a, 5);
  double interest = interest_part(rate, per, nper, pv, fv, type);
  return checked(payment(rate, nper, pv, fv, type) - interest);
}

Value ispmt_(Evaluator& ev, std::span<const Node> a) {
  double rate = ev.number(a[0]), per = ev.number(a[1]), nper = ev.number(a[2]), pv = ev.number(a[3]);
  if (nper == 0) return CellError::Div0;
  return checked(pv * rate * (per / nper - 1));
}

// Newton's method on f from `guess`: 20 steps at most, as the spreadsheet's iteration does.
template <class F, class D>
Value solve(F f, D derivative, double guess) {
  double x = guess;
  for (int i = 0; i < 20; ++i) {
    double d = derivative(x);
    if (d == 0 || !std::isfinite(d)) return CellError::Num;
    double next = x - f(x) / d;
    if (!std::isfinite(next)) return CellError::Num;
    if (std::fabs(next - x) < 1e-7) return next;
    x = next;
  }
  return CellError::Num;
}

Value rate_(Evaluator& ev, std::span<const Node> a) {
  double nper = ev.number(a[0]), pmt = ev.number(a[1]), pv = ev.number(a[2]);
  double fv = optional_number(ev, a, 3), type = type_arg(ev, a, 4), guess = optional_number(ev, a, 5, 0.1);
  if (nper <= 0) return CellError::Num;
  auto f = [&](double r) {
    if (r == 0) return pv + pmt * nper + fv;
    double g = std::pow(1 + r, nper);
    return pv * g + pmt * (1 + r * type) * (g - 1) / r + fv;
  };
  auto derivative = [&](double r) {
    double h = std::max(1e-8, std::fabs(r) * 1e-6);
    return (f(r + h) - f(r - h)) / (2 * h);
  };
  return solve(f, derivative, guess);
}

Value npv_(Evaluator& ev, std::span<const Node> a) {
  double rate = ev.number(a[0]);
  if (rate == -1) return CellError::Div0;
  double total = 0, factor = 1;
  for (double v : collect_numbers(ev, a.subspan(1))) {
    factor *= 1 + rate;
    total += v / factor;
  }
  return checked(total);
}

// Cash flows of IRR and MIRR: the numbers of references and arrays, text and blanks skipped.
std::vector<double> cash_flows(Evaluator& ev, const Node& n) {
  std::vector<double> out;
  ev.each_value(n, [&](const Scalar& s, bool direct) {
    if (auto e = std::get_if<CellError>(&s)) throw ErrorSignal{*e};
    if (auto d = std::get_if<double>(&s)) out.push_back(*d);
    else if (direct) throw ErrorSignal{CellError::Value};
  });
  return out;
}

Value irr_(Evaluator& ev, std::span<const Node> a) {
  std::vector<double> flows = cash_flows(ev, a[0]);
  double guess = optional_number(ev, a, 1, 0.1);
  // Without both a payment and a receipt there is no rate.
  bool gain = false, loss = false;
  for (double v : flows) {
    gain = gain || v > 0;
    loss = loss || v < 0;
  }
  if (!gain || !loss) return CellError::Num;
  auto f = [&](double r) {
    double total = 0, factor = 1;
    for (double v : flows) {
      total += v / factor;
      factor *= 1 + r;
    }
    return total;
  };
  auto derivative = [&](double r) {
    double total = 0, factor = 1 + r;
    for (size_t i = 1; i < flows.size(); ++i) {
      factor *= 1 + r;
      total -= static_cast<double>(i) * flows[i] / factor;
    }
    return total;
  };
  return solve(f, derivative, guess);
}

Value mirr_(Evaluator& ev, std::span<const Node> a) {
  std::vector<double> flows = cash_flows(ev, a[0]);
  double finance = ev.number(a[1]), reinvest = ev.number(a[2]);
  double n = static_cast<double>(flows.size());
  double invested = 0, returned = 0;
  for (size_t i = 0; i < flows.size(); ++i) {
    double v = flows[i], t = static_cast<double>(i);
    if (v < 0) invested += v / std::pow(1 + finance, t);
    else returned += v * std::pow(1 + reinvest, n - 1 - t);
  }
  // Without a payment there is nothing to finance; without a receipt the rate is -100 %.
  if (invested == 0 || n < 2) return CellError::Div0;
  return checked(std::pow(-returned / invested, 1 / (n - 1)) - 1);
}

Value sln_(Evaluator& ev, std::span<const Node> a) {
  double cost = ev.number(a[0]), salvage = ev.number(a[1]), life = ev.number(a[2]);
  if (life == 0) return CellError::Div0;
  return (cost - salvage) / life;
}

Value syd_(Evaluator& ev, std::span<const Node> a) {
  double cost = ev.number(a[0]), salvage = ev.number(a[1]), life = ev.number(a[2]), per = ev.number(a[3]);
  if (life <= 0 || per <= 0 || per > life) return CellError::Num;
  return (cost - salvage) * (life - per + 1) * 2 / (life * (life + 1));
}

// Declining balance at `factor`/life a period, never below the salvage value.
Value ddb_(Evaluator& ev, std::span<const Node> a) {
  double cost = ev.number(a[0]), salvage = ev.number(a[1]), life = ev.number(a[2]), per = ev.number(a[3]);
  double factor = optional_number(ev, a, 4, 2);
  if (cost < 0 || salvage < 0 || life <= 0 || per <= 0 || per > life || factor <= 0) return CellError::Num;
  double rate = std::min(factor / life, 1.0);
  double before = cost * std::pow(1 - rate, per - 1);
  return std::min(before * rate, std::max(0.0, before - salvage));
}

// Fixed declining balance: the rate rounded to three places; the first year counts `month`
// months and a last, shorter year takes the rest.
Value db_(Evaluator& ev, std::span<const Node> a) {
  double cost = ev.number(a[0]), salvage = ev.number(a[1]), life = std::trunc(ev.number(a[2]));
  double per = std::trunc(ev.number(a[3])), month = std::trunc(optional_number(ev, a, 4, 12));
  if (cost < 0 || salvage < 0 || life <= 0 || per <= 0 || month < 1 || month > 12) return CellError::Num;
  if (per > life + (month < 12 ? 1 : 0)) return CellError::Num;
  if (cost == 0) return 0.0;
  double rate = std::round((1 - std::pow(salvage / cost, 1 / life)) * 1000) / 1000;
  double total = cost * rate * month / 12, dep = total;
  for (double p = 2; p <= per; ++p) {
    dep = p == life + 1 ? (cost - total) * rate * (12 - month) / 12 : (cost - total) * rate;
    total += dep;
  }
  return checked(dep);
}

}  // namespace

void add_financial_functions(FunctionMap& m) {
  m[u"PV"] = pv_;
  m[u"FV"] = fv_;
  m[u"PMT"] = pmt_;
  m[u"NPER"] = nper_;
  m[u"RATE"] = rate_;
  m[u"IPMT"] = ipmt_;
  m[u"PPMT"] = ppmt_;
  m[u"ISPMT"] = ispmt_;
  m[u"NPV"] = npv_;
  m[u"IRR"] = irr_;
  m[u"MIRR"] = mirr_;
  m[u"SLN"] = sln_;
  m[u"SYD"] = syd_;
  m[u"DDB"] = ddb_;
  m[u"DB"] = db_;
}

}  // namespace tabrel::formula
