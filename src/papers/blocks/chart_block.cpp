#include "papers/blocks/chart_block.h"

#include <utility>

#include "inspect/chart_checks.h"
#include "inspect/chart_placement.h"

namespace tabrel::papers {

using namespace inspect;

Step chart_block(ChartBlock block) {
  return [block = std::move(block)](ProblemRun& run) {
    // Activating a second object succeeds (false) only when the target has two; activating the
    // first fails (true) when it has none.
    std::vector<Check> whole{
        {yes(AlignLayoutAndActivateObject, int16_t{2}, int16_t{0}), kWholeChartPoints, literal(kTwoChartsText)},
        {no(AlignLayoutAndActivateObject, int16_t{1}, int16_t{0}), kWholeChartPoints, literal(kNoChartText)},
    };
    if (block.tests_auto_scale_font)
      whole.push_back({yes(CompareChartAutoScaleFont, int16_t{1}), kWholeChartPoints, literal(kAutoScaleFontText)});
    for (const Check& c : whole)
      if (run_check(run, c)) return;
    for (const Step& item : block.items) item(run);
  };
}

Step chart_placement(float points, const char16_t* position_text, const char16_t* first, const char16_t* last) {
  return chain({{yes(CompareChartPosition, int16_t{1}), points, literal(position_text)},
                {yes(CompareChartSize, std::u16string(first), std::u16string(last), int16_t{1}), points,
                 literal(kChartSizeText)}});
}

}  // namespace tabrel::papers
