// Formulas evaluated per second, and formulas printed per second, on the corpus files that hold
// the most formulas.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>

#include "spreadsheet/formula/cell_formula.h"
#include "spreadsheet/formula/engine.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/xls/reader.h"

namespace {

namespace fs = std::filesystem;
using namespace tabrel;

struct Loaded {
  std::string name;
  std::unique_ptr<model::Workbook> workbook;
  size_t formulas = 0;
};

// The three corpus workbooks with the most formula cells (read once).
const std::vector<Loaded>& largest() {
  static const std::vector<Loaded> files = [] {
    std::vector<Loaded> all;
    fs::path dir = fs::path(TABREL_SHARED_DIR) / "corpus" / "excel";
    if (!fs::exists(dir)) return all;
    for (const auto& e : fs::directory_iterator(dir)) {
      if (e.path().extension() != ".xls") continue;
      try {
        Loaded l{e.path().filename().string(), xls::read_workbook_file(e.path()), 0};
        for (const auto& s : l.workbook->sheets)
          for (const auto& [key, cell] : s->cells) l.formulas += cell.formula ? 1 : 0;
        all.push_back(std::move(l));
      } catch (const std::exception&) {
      }
    }
    std::sort(all.begin(), all.end(), [](const Loaded& a, const Loaded& b) { return a.formulas > b.formulas; });
    if (all.size() > 3) all.resize(3);
    return all;
  }();
  return files;
}

template <class F>
void each_formula(model::Workbook& wb, F f) {
  for (size_t s = 0; s < wb.sheets.size(); ++s)
    for (const auto& [key, cell] : wb.sheets[s]->cells)
      if (cell.formula) f(static_cast<int>(s), model::CellStore::position(key));
}

void BM_Recalculate(benchmark::State& state) {
  const auto& files = largest();
  if (static_cast<size_t>(state.range(0)) >= files.size()) {
    state.SkipWithError("corpus absent");
    return;
  }
  const Loaded& file = files[static_cast<size_t>(state.range(0))];
  state.SetLabel(file.name);
  for (auto _ : state) {
    formula::Engine engine(*file.workbook);
    benchmark::DoNotOptimize(engine.recompute_all());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * file.formulas));
}
BENCHMARK(BM_Recalculate)->DenseRange(0, 2);

// Reading every formula cell once through the engine, as the graders read values and texts.
void BM_ReadValues(benchmark::State& state) {
  const auto& files = largest();
  if (static_cast<size_t>(state.range(0)) >= files.size()) {
    state.SkipWithError("corpus absent");
    return;
  }
  const Loaded& file = files[static_cast<size_t>(state.range(0))];
  state.SetLabel(file.name);
  formula::Engine engine(*file.workbook);
  for (auto _ : state)
    each_formula(*file.workbook, [&](int s, model::CellRef c) { benchmark::DoNotOptimize(engine.value_of(s, c)); });
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * file.formulas));
}
BENCHMARK(BM_ReadValues)->DenseRange(0, 2);

void BM_PrintA1(benchmark::State& state) {
  const auto& files = largest();
  if (static_cast<size_t>(state.range(0)) >= files.size()) {
    state.SkipWithError("corpus absent");
    return;
  }
  const Loaded& file = files[static_cast<size_t>(state.range(0))];
  state.SetLabel(file.name);
  for (auto _ : state) {
    each_formula(*file.workbook, [&](int s, model::CellRef c) {
      try {
        benchmark::DoNotOptimize(
            formula::cell_formula(*file.workbook, *file.workbook->sheets[static_cast<size_t>(s)], c, formula::Notation::A1));
      } catch (const formula::FormulaError&) {
      }
    });
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * file.formulas));
}
BENCHMARK(BM_PrintA1)->DenseRange(0, 2);

}  // namespace
