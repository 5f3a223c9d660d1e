#pragma once
// The scale of a value axis: fixed parts as the file stores them, automatic parts computed from
// the data plotted on the axis.
//
// The automatic rule, as the spreadsheet's automatic scaling behaves for this file format:
// - minimum: 0 when every value is at least 0 and the smallest value is below 5/6 of the
//   largest; else the smallest value less half the data's span, rounded down to the major unit
//   (and the mirror image for negative data, whose automatic maximum is 0);
// - major unit: the smallest of 1, 2 and 5 times a power of ten that divides the span from the
//   minimum to the largest value plus 5 % of the data's span into at most 10 parts;
// - maximum: that padded largest value rounded up to a multiple of the major unit;
// - minor unit: a fifth of the major unit;
// - no data (or only zeros): 0 to 1 by 0.2;
// - 100 % stacked groups scale from 0 to 1 (or -1 to 1) by tenths; a logarithmic axis from the
//   powers of ten around the data.

#include <vector>

#include "spreadsheet/model/chart.h"

namespace tabrel::charts {

struct Scale {
  double minimum = 0, maximum = 1, major = 0.2, minor = 0.04;
};

// `values`: every number plotted on the axis (for stacked groups the category sums).
Scale axis_scale(const model::ValueScale& stored, const std::vector<double>& values, bool percent_stacked);

}  // namespace tabrel::charts
