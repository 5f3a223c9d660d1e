// Opens arbitrary bytes as a workbook, recalculates every formula and renders every cell's
// displayed text, as the grader reads a workbook. The engine's work limit keeps a hostile file
// (long chains, deep formulas, names that double up) from running past the fuzzer's timeout;
// every outcome but a typed OpenError or a finished pass is a fault.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/formula/engine.h"
#include "spreadsheet/xls/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tabrel;
  xl::Book book;
  try {
    book.model = xls::read_workbook(std::span<const uint8_t>(data, size));
  } catch (const xls::OpenError&) {
    return 0;
  }
  formula::EngineOptions options;
  options.clock = [] { return 45000.5; };
  options.work_limit = 2'000'000;
  book.engine = std::make_unique<formula::Engine>(*book.model, options);
  xl::calculate_full(book);
  for (const auto& sheet : book.model->sheets)
    for (const auto& [key, cell] : sheet->cells) {
      const model::CellRef at = model::CellStore::position(key);
      xl::cell_value(book, *sheet, at);
      xl::displayed_text(book, *sheet, at);
    }
  return 0;
}
