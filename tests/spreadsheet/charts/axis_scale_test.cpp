#include <gtest/gtest.h>

#include "spreadsheet/charts/axis_scale.h"

namespace tabrel::charts {
namespace {

// Automatic scales of value axes as the spreadsheet draws them for the data ranges of typical
// charts: zero-based while the smallest value is below 5/6 of the largest, a major unit of 1, 2
// or 5 times a power of ten giving at most ten steps, the maximum above the largest value plus
// 5 % of the span.
TEST(AxisScale, AutomaticScales) {
  struct Case {
    std::vector<double> values;
    double minimum, maximum, major;
  };
  const Case cases[] = {
      {{0, 100}, 0, 120, 20},
      {{10, 90}, 0, 100, 10},
      {{1, 5}, 0, 6, 1},
      {{2, 12}, 0, 14, 2},
      {{1200, 3400, 2800}, 0, 4000, 500},
      {{90, 100}, 84, 102, 2},
      {{-20, 40}, -30, 50, 10},
      {{-10, -50}, -60, 0, 10},
      {{}, 0, 1, 0.2},
      {{7, 7}, 0, 8, 1},
  };
  model::ValueScale automatic;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.values));
    const Scale s = axis_scale(automatic, c.values, false);
    EXPECT_DOUBLE_EQ(s.minimum, c.minimum);
    EXPECT_DOUBLE_EQ(s.maximum, c.maximum);
    EXPECT_DOUBLE_EQ(s.major, c.major);
    EXPECT_DOUBLE_EQ(s.minor, c.major / 5);
  }
}

// Fixed parts stay as stored; the automatic ones are derived around them.
TEST(AxisScale, FixedPartsAndPercentStacks) {
  model::ValueScale fixed;
  fixed.flags = 0x1D;  // maximum fixed
  fixed.maximum = 100;
  const Scale s = axis_scale(fixed, {0, 100}, false);
  EXPECT_DOUBLE_EQ(s.maximum, 100);
  EXPECT_DOUBLE_EQ(s.minimum, 0);

  const Scale p = axis_scale(model::ValueScale{}, {0.2, 0.8}, true);
  EXPECT_DOUBLE_EQ(p.minimum, 0);
  EXPECT_DOUBLE_EQ(p.maximum, 1);
  EXPECT_DOUBLE_EQ(p.major, 0.1);
}

}  // namespace
}  // namespace tabrel::charts
