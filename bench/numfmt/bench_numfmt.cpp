// Cells rendered per second: typical codes of graded workbooks, without a cell (as the
// export does) and in a measured column (as Range.Text does), and compiling through the cache.

#include <benchmark/benchmark.h>

#include <vector>

#include "spreadsheet/layout/display_text.h"
#include "spreadsheet/numfmt/format_cache.h"
#include "spreadsheet/numfmt/render.h"

namespace {

using namespace tabrel;
using namespace tabrel::numfmt;

const std::vector<std::u16string> kCodes = {
    u"General", u"#,##0", u"#,##0.00", u"0.0%", u"yyyy-mm-dd", u"[$-412]AM/PM h:mm:ss",
    u"_-* #,##0_-;\\-* #,##0_-;_-* \"-\"_-;_-@_-", u"#,##0\"원\";[Red]-#,##0\"원\"", u"# ?/?", u"0.00E+00",
};
const std::vector<double> kValues = {0, 1, -1234.5678, 45000.75, 0.125, 123456789.0, 1.0 / 3, 98765.4321};

void BM_RenderWithoutCell(benchmark::State& state) {
  std::vector<Format> formats;
  for (const auto& c : kCodes) formats.push_back(Format::compile(c));
  int64_t cells = 0;
  for (auto _ : state) {
    for (const Format& f : formats)
      for (double v : kValues) benchmark::DoNotOptimize(render(f, v).text.size());
    cells += static_cast<int64_t>(formats.size() * kValues.size());
  }
  state.SetItemsProcessed(cells);
}
BENCHMARK(BM_RenderWithoutCell);

void BM_DisplayTextInColumn(benchmark::State& state) {
  std::vector<Format> formats;
  for (const auto& c : kCodes) formats.push_back(Format::compile(c));
  const layout::FontSpec font{u"굴림", 11};
  int64_t cells = 0;
  for (auto _ : state) {
    for (const Format& f : formats)
      for (double v : kValues) benchmark::DoNotOptimize(layout::display_result(v, f, 80, font).text.size());
    cells += static_cast<int64_t>(formats.size() * kValues.size());
  }
  state.SetItemsProcessed(cells);
}
BENCHMARK(BM_DisplayTextInColumn);

void BM_CompileThroughCache(benchmark::State& state) {
  FormatCache cache;
  int64_t lookups = 0;
  for (auto _ : state) {
    for (const auto& c : kCodes) benchmark::DoNotOptimize(cache.get(c).get());
    lookups += static_cast<int64_t>(kCodes.size());
  }
  state.SetItemsProcessed(lookups);
}
BENCHMARK(BM_CompileThroughCache);

void BM_CompileFresh(benchmark::State& state) {
  int64_t codes = 0;
  for (auto _ : state) {
    for (const auto& c : kCodes) benchmark::DoNotOptimize(Format::compile(c).sections().size());
    codes += static_cast<int64_t>(kCodes.size());
  }
  state.SetItemsProcessed(codes);
}
BENCHMARK(BM_CompileFresh);

}  // namespace
