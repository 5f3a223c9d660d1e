#pragma once
// Small helpers shared by the function families.

#include <cmath>
#include <span>
#include <vector>

#include "spreadsheet/formula/evaluator.h"

namespace tabrel::formula {

// Numbers of aggregate arguments as SUM and AVERAGE take them: numbers of references and
// arrays (text, booleans and blanks there are skipped), and direct arguments converted (numeric
// text and booleans count, other text is #VALUE!). Errors raise.
std::vector<double> collect_numbers(Evaluator& ev, std::span<const Node> args);

// The same for the functions ending in A (AVERAGEA, MAXA ...): in references and arrays text
// counts 0 and booleans 1 or 0; blanks are skipped.
std::vector<double> collect_values(Evaluator& ev, std::span<const Node> args);

// Sample or population variance of numbers; #DIV/0! below the needed count.
double variance(const std::vector<double>& v, bool sample);

// A whole number argument (truncated), raising #VALUE!/#NUM! as the functions do.
int integer_arg(Evaluator& ev, const Node& n);

// A function's numeric result; infinities and NaN become #NUM!.
inline double checked(double d) {
  if (!std::isfinite(d)) throw ErrorSignal{CellError::Num};
  return d;
}

}  // namespace tabrel::formula
