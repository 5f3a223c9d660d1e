#include "spreadsheet/charts/axis_scale.h"

#include <algorithm>
#include <cmath>

namespace tabrel::charts {
namespace {

constexpr double kPadding = 0.05;
constexpr int kMostParts = 10;
constexpr double kZeroBaseRatio = 5.0 / 6.0;

// The smallest 1, 2 or 5 times a power of ten that cuts `span` into at most kMostParts parts.
double nice_unit(double span) {
  if (!(span > 0)) return 1;
  double power = std::pow(10.0, std::floor(std::log10(span / kMostParts)));
  for (;;) {
    for (double step : {1.0, 2.0, 5.0})
      if (span / (step * power) <= kMostParts + 1e-9) return step * power;
    power *= 10;
  }
}

double round_down(double v, double unit) { return std::floor(v / unit + 1e-9) * unit; }
double round_up(double v, double unit) { return std::ceil(v / unit - 1e-9) * unit; }

Scale linear(double lo, double hi, const model::ValueScale& stored) {
  if (lo == 0 && hi == 0) {  // no data: the empty chart's 0 to 1 by fifths
    Scale s;
    if (!stored.auto_minimum()) s.minimum = stored.minimum;
    if (!stored.auto_maximum()) s.maximum = stored.maximum;
    if (!stored.auto_major()) s.major = stored.major;
    if (!stored.auto_minor()) s.minor = stored.minor;
    return s;
  }
  if (lo == hi) {
    if (hi > 0) lo = 0;
    else hi = 0;
  }
  const double pad = (hi - lo) * kPadding;
  double low_bound = lo, high_bound = hi;
  bool zero_low = false, zero_high = false;
  if (lo >= 0) {
    zero_low = lo < hi * kZeroBaseRatio;
    low_bound = zero_low ? 0 : lo - (hi - lo) / 2;
  } else if (hi <= 0) {
    zero_high = hi > lo * kZeroBaseRatio;
    high_bound = zero_high ? 0 : hi + (hi - lo) / 2;
  }
  if (!stored.auto_minimum()) low_bound = stored.minimum;
  if (!stored.auto_maximum()) high_bound = stored.maximum;
  const double padded_high = stored.auto_maximum() && !zero_high ? high_bound + pad : high_bound;
  const double padded_low = stored.auto_minimum() && !zero_low && lo < 0 ? low_bound - pad : low_bound;
  Scale s;
  s.major = stored.auto_major() ? nice_unit(padded_high - padded_low) : stored.major;
  if (!(s.major > 0)) s.major = 1;
  s.minimum = stored.auto_minimum() ? round_down(padded_low, s.major) : stored.minimum;
  s.maximum = stored.auto_maximum() ? round_up(padded_high, s.major) : stored.maximum;
  if (s.maximum <= s.minimum) s.maximum = s.minimum + s.major;
  s.minor = stored.auto_minor() ? s.major / 5 : stored.minor;
  return s;
}

Scale logarithmic(double lo, double hi, const model::ValueScale& stored) {
  Scale s;
  lo = lo > 0 ? lo : 1;
  hi = hi > 0 ? hi : 1;
  s.minimum = stored.auto_minimum() ? std::pow(10.0, std::floor(std::log10(lo))) : stored.minimum;
  s.maximum = stored.auto_maximum() ? std::pow(10.0, std::ceil(std::log10(hi))) : stored.maximum;
  if (s.maximum <= s.minimum) s.maximum = s.minimum * 10;
  s.major = stored.auto_major() ? 10 : stored.major;
  s.minor = stored.auto_minor() ? 10 : stored.minor;
  return s;
}

}  // namespace

Scale axis_scale(const model::ValueScale& stored, const std::vector<double>& values, bool percent_stacked) {
  double lo = 0, hi = 0;
  if (!values.empty()) {
    lo = *std::min_element(values.begin(), values.end());
    hi = *std::max_element(values.begin(), values.end());
  }
  if (stored.logarithmic()) return logarithmic(lo, hi, stored);
  if (percent_stacked) {
    Scale s;
    s.minimum = stored.auto_minimum() ? (lo < 0 ? -1 : 0) : stored.minimum;
    s.maximum = stored.auto_maximum() ? 1 : stored.maximum;
    s.major = stored.auto_major() ? 0.1 : stored.major;
    s.minor = stored.auto_minor() ? s.major / 5 : stored.minor;
    return s;
  }
  return linear(lo, hi, stored);
}

}  // namespace tabrel::charts
