#include "spreadsheet/formula/function_helpers.h"

#include <cmath>

namespace tabrel::formula {

std::vector<double> collect_numbers(Evaluator& ev, std::span<const Node> args) {
  std::vector<double> out;
  for (const Node& a : args) {
    ev.each_value(a, [&](const Scalar& s, bool direct) {
      if (auto e = std::get_if<CellError>(&s)) throw ErrorSignal{*e};
      if (auto d = std::get_if<double>(&s)) out.push_back(*d);
      else if (direct && !is_blank(s)) out.push_back(ev.to_number(s));
    });
  }
  return out;
}

std::vector<double> collect_values(Evaluator& ev, std::span<const Node> args) {
  std::vector<double> out;
  for (const Node& a : args) {
    ev.each_value(a, [&](const Scalar& s, bool direct) {
      if (auto e = std::get_if<CellError>(&s)) throw ErrorSignal{*e};
      if (auto d = std::get_if<double>(&s)) out.push_back(*d);
      else if (auto b = std::get_if<bool>(&s)) out.push_back(*b ? 1 : 0);
      else if (direct && !is_blank(s)) out.push_back(ev.to_number(s));
      else if (is_text(s)) out.push_back(0);
    });
  }
  return out;
}

double variance(const std::vector<double>& v, bool sample) {
  size_t n = v.size();
  if (n < (sample ? 2u : 1u)) throw ErrorSignal{CellError::Div0};
  double mean = 0;
  for (double x : v) mean += x;
  mean /= static_cast<double>(n);
  double ss = 0;
  for (double x : v) ss += (x - mean) * (x - mean);
  return ss / static_cast<double>(sample ? n - 1 : n);
}

int integer_arg(Evaluator& ev, const Node& n) {
  double d = std::trunc(ev.number(n));
  if (d > 2147483647.0 || d < -2147483648.0) throw ErrorSignal{CellError::Num};
  return static_cast<int>(d);
}

}  // namespace tabrel::formula
