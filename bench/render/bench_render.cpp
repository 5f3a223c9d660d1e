// Opening a generated workbook and showing every cell's text (Range.Text's path), at 10k, 100k
// and 1M cells: items per second stay level as the sheet grows, and aim at 5 million cells a
// second for the showing alone.

#include <benchmark/benchmark.h>

#include <map>
#include <vector>

#include "generated_workbook.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/xls/reader.h"

namespace {

using namespace tabrel;

const std::vector<uint8_t>& file_of(size_t cells) {
  static std::map<size_t, std::vector<uint8_t>> files;
  auto& file = files[cells];
  if (file.empty()) file = bench::generated_file(cells);
  return file;
}

size_t show_every_cell(xl::Book& book) {
  size_t characters = 0;
  for (const auto& sheet : book.model->sheets)
    for (const auto& [key, cell] : sheet->cells)
      characters += xl::displayed_text(book, *sheet, model::CellStore::position(key)).size();
  return characters;
}

void BM_OpenAndShowEveryCell(benchmark::State& state) {
  const auto& file = file_of(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    xl::Book book;
    book.model = xls::read_workbook(file);
    benchmark::DoNotOptimize(show_every_cell(book));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenAndShowEveryCell)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_ShowEveryCell(benchmark::State& state) {
  xl::Book book;
  book.model = xls::read_workbook(file_of(static_cast<size_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(show_every_cell(book));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ShowEveryCell)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
