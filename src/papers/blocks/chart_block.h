#pragma once
// The chart of problem 4: chart object 1 of the problem sheet must be there and be the only one
// (and, in some papers, scale its fonts as the answer's does); only then are the paper's chart
// items tried, each its own row. Each of the whole-chart rows costs 10 points.

#include <vector>

#include "papers/frame/check_table.h"

namespace tabrel::papers {

inline constexpr float kWholeChartPoints = 10;
inline constexpr char16_t kTwoChartsText[] = u"차트가 중첩되어 있거나 개수가 틀립니다";
inline constexpr char16_t kNoChartText[] = u"차트가 존재하지 않습니다";
inline constexpr char16_t kAutoScaleFontText[] = u"차트 글꼴 자동 크기 조절이 틀립니다";
inline constexpr char16_t kChartSizeText[] = u"차트 크기가 틀립니다";

struct ChartBlock {
  bool tests_auto_scale_font = false;
  // The chart items in the paper's order, each a check or a chain of chart 1.
  std::vector<Step> items{};
};

Step chart_block(ChartBlock block);

// The placement item: the position (its row text is the paper's), then the size. The two
// cells name where the chart belongs; the size check does not read them.
Step chart_placement(float points, const char16_t* position_text, const char16_t* first, const char16_t* last);

}  // namespace tabrel::papers
