// The cell store alone at 10k to 1M cells: filling it in row-major order (as readers do), finding
// every cell in a scattered order (as formulas read their inputs) and walking it row by row.
// Items per second stay level as the store grows; bytes_per_cell is the heap the filled store
// holds (its pool, row headers and row indexes) divided by its cells, for rows of 20 cells (a
// typed data sheet), of one and of two cells (the sparsest rows) and of 256.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "spreadsheet/model/cell_store.h"

namespace {

using namespace tabrel::model;

CellRef place(int64_t i, int64_t per_row) { return {static_cast<int>(i / per_row), static_cast<int>(i % per_row)}; }

std::unique_ptr<CellStore> filled(int64_t cells, int64_t per_row) {
  auto store = std::make_unique<CellStore>();
  for (int64_t i = 0; i < cells; ++i) store->put(place(i, per_row), Cell{CellValue::number(static_cast<double>(i)), 15, nullptr});
  return store;
}

void BM_FillStore(benchmark::State& state) {
  const int64_t cells = state.range(0);
  const int64_t per_row = state.range(1);
  double bytes = 0;
  for (auto _ : state) {
    const size_t before = mallinfo2().uordblks;
    auto store = filled(cells, per_row);
    bytes = static_cast<double>(mallinfo2().uordblks - before);
    benchmark::DoNotOptimize(store->size());
  }
  state.SetItemsProcessed(state.iterations() * cells);
  state.counters["bytes_per_cell"] = bytes / static_cast<double>(cells);
}
BENCHMARK(BM_FillStore)
    ->Args({10'000, 20})
    ->Args({100'000, 20})
    ->Args({1'000'000, 20})
    ->Args({65'536, 1})
    ->Args({131'072, 2})
    ->Args({1'000'000, 256})
    ->Unit(benchmark::kMillisecond);

void BM_FindEveryCell(benchmark::State& state) {
  const int64_t cells = state.range(0);
  const auto store = filled(cells, 20);
  // A fixed stride through the cells, prime to their count: every cell once, far from the last.
  const int64_t stride = 7'919;
  for (auto _ : state) {
    double sum = 0;
    for (int64_t i = 0, at = 0; i < cells; ++i, at = (at + stride) % cells) sum += store->find(place(at, 20))->value.as_number();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * cells);
}
BENCHMARK(BM_FindEveryCell)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_WalkEveryCell(benchmark::State& state) {
  const int64_t cells = state.range(0);
  const auto store = filled(cells, 20);
  for (auto _ : state) {
    double sum = 0;
    for (const auto& [key, cell] : *store) sum += cell.value.as_number();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * cells);
}
BENCHMARK(BM_WalkEveryCell)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
