// Recalculation per simple formula on generated workbooks of 10k, 100k and 1M cells: half the
// cells are numbers, half formulas filled down a column as the spreadsheet stores them (one
// shared formula per column), each reading a number beside it and the formula above it
// (=A2*2+I1). The time per formula should not grow with the workbook. The allocator keeps freed
// memory as in the programs that recalculate (tabrel-grade, xls-dump).

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "spreadsheet/core/process_memory.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/engine.h"
#include "spreadsheet/formula/parse.h"

namespace {

using namespace tabrel;

constexpr int kNumberColumns = 8;  // A:H numbers, I:P formulas

[[maybe_unused]] const bool kept_freed_memory = (keep_freed_memory(), true);

std::unique_ptr<model::Workbook> generated(int cells) {
  auto wb = std::make_unique<model::Workbook>();
  auto sheet = std::make_unique<model::Sheet>();
  sheet->name = u"Sheet1";
  wb->sheets.push_back(std::move(sheet));
  model::Sheet& s = *wb->sheets[0];
  const int rows = cells / (2 * kNumberColumns);
  formula::Node member;
  member.kind = formula::Node::Kind::SharedRef;
  for (int col = 0; col < kNumberColumns; ++col) {
    const model::CellRef master{0, kNumberColumns + col};
    // The formula in row 1 reads A1 and the cell above it (the sheet's last row, empty).
    formula::Node tree = formula::parse(u"=" + model::a1_address({0, col}) + u"*2+" + model::a1_address({model::kMaxRows - 1, master.col}),
                                        *wb, master, formula::Notation::A1);
    formula::Encoded shared = formula::encode(tree, master, formula::EncodeForm::Relative);
    s.shared_formulas[model::CellStore::key(master)] =
        model::SharedFormula{{master, {rows - 1, master.col}}, shared.tokens, shared.extra};
    member.first = {0, master.col, false, false};
    const std::vector<uint8_t> pointer = formula::encode(member).tokens;
    for (int r = 0; r < rows; ++r) {
      model::Cell number;
      number.value = model::CellValue::number(r % 97 + col);
      s.cells.put({r, col}, number);
      model::Cell f;
      f.formula = model::FormulaPtr::make(model::Formula{pointer, {}, 0, false});
      s.cells.put({r, master.col}, f);
    }
  }
  return wb;
}

// A fresh engine each time: analysing the workbook and computing every formula once, as the
// grader does after opening a workbook.
void BM_RecalculateGenerated(benchmark::State& state) {
  static std::map<int, std::unique_ptr<model::Workbook>> books;
  auto& wb = books[static_cast<int>(state.range(0))];
  if (!wb) wb = generated(static_cast<int>(state.range(0)));
  size_t formulas = 0;
  for (auto _ : state) {
    formula::Engine engine(*wb);
    formulas = engine.recompute_all();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * formulas));
  state.counters["time_per_formula"] =
      benchmark::Counter(static_cast<double>(state.iterations() * formulas), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RecalculateGenerated)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
