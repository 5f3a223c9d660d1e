// Recalculating every stored formula of the corpus's Excel files from the cached values of its
// precedents must give the cached result Excel stored. Prints the share that agrees and every
// disagreement with its reason.

#include <gtest/gtest.h>

#include "corpus/corpus_files.h"

#include <cmath>
#include <filesystem>
#include <iostream>
#include <map>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/cell_formula.h"
#include "spreadsheet/formula/engine.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/function_table.h"
#include "spreadsheet/layout/display_text.h"

namespace tabrel::formula {
namespace {

namespace fs = std::filesystem;

bool agrees(const model::CellValue& cached, const Scalar& got) {
  Scalar want = to_scalar(cached);
  if (is_number(want) && is_number(got)) {
    double a = std::get<double>(want), b = std::get<double>(got);
    return a == b || std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
  }
  return want == got;
}

std::string describe(const Scalar& s) {
  if (auto d = std::get_if<double>(&s)) return std::to_string(*d);
  if (auto t = std::get_if<std::u16string>(&s)) return "\"" + to_utf8(*t) + "\"";
  if (auto b = std::get_if<bool>(&s)) return *b ? "TRUE" : "FALSE";
  if (auto e = std::get_if<CellError>(&s)) return to_utf8(cell_error_text(*e));
  return "(blank)";
}

TEST(CorpusRecalc, StoredFormulasGiveTheirCachedResults) {
  if (!corpus::corpus_dir()) GTEST_SKIP() << "corpus absent";
  size_t total = 0, agree = 0, not_computed = 0, volatile_cells = 0;
  std::map<std::string, size_t> reasons;
  std::vector<std::string> differences;
  const std::vector<fs::path> files = corpus::files_in("excel");
  for (const fs::path& file : files) {
    const std::unique_ptr<model::Workbook> wb = corpus::open_workbook(file);
    if (!wb) {
      ++reasons["file not opened"];
      continue;
    }
    // TEXT renders through the number-format module, as the automation layer wires it.
    EngineOptions options;
    options.format_number = [](double value, std::u16string_view code, const model::Workbook& book) {
      layout::DisplayOptions display;
      display.date_system = book.date_system;
      return std::optional(layout::display_text(numfmt::CellValue(value), code, 0, layout::FontSpec{}, display));
    };
    Engine engine(*wb, options);
    for (size_t s = 0; s < wb->sheets.size(); ++s) {
      model::Sheet& sheet = *wb->sheets[s];
      if (sheet.kind != model::SheetKind::Worksheet) continue;
      std::vector<model::CellRef> formulas;
      for (const auto& [key, cell] : sheet.cells)
        if (cell.formula) formulas.push_back(model::CellStore::position(key));
      for (model::CellRef c : formulas) {
        ++total;
        model::Cell& cell = *sheet.cells.find(c);
        model::CellValue cached = cell.value;
        bool is_volatile_cell = engine.is_volatile_cell(static_cast<int>(s), c);
        std::optional<Scalar> got = engine.recompute(static_cast<int>(s), c);
        sheet.cells.find(c)->value = cached;  // later cells see what Excel stored
        if (!got) {
          ++not_computed;
          continue;
        }
        if (agrees(cached, *got)) {
          ++agree;
        } else if (is_volatile_cell) {
          ++volatile_cells;
        } else {
          std::string text;
          try {
            text = to_utf8(cell_formula(*wb, sheet, c, Notation::A1));
          } catch (const FormulaError&) {
          }
          differences.push_back(file.filename().string() + " " + to_utf8(sheet.name) + "!" +
                                to_utf8(model::a1_address(c)) + " " + text + ": cached " +
                                describe(to_scalar(cached)) + ", computed " + describe(*got));
        }
      }
    }
    for (const auto& p : engine.problems()) {
      if (p.message.starts_with("malformed"))
        std::cout << "  malformed: " << file.filename().string() << " " << to_utf8(wb->sheets[static_cast<size_t>(p.sheet)]->name) << "!"
                  << to_utf8(model::a1_address(p.cell)) << " " << p.message << "\n";
      ++reasons[p.message.starts_with("malformed") ? "malformed formula" : p.message];
    }
  }
  size_t computed = total - not_computed - volatile_cells;  // volatile results follow today's clock
  double share = total ? 100.0 * static_cast<double>(agree) / static_cast<double>(total) : 0;
  double computed_share = computed ? 100.0 * static_cast<double>(agree) / static_cast<double>(computed) : 0;
  std::cout << "formula cells: " << total << ", agree: " << agree << " (" << share << "% of all, " << computed_share
            << "% of those computed), not computed: " << not_computed
            << ", volatile: " << volatile_cells << ", differ: " << differences.size() << "\n";
  for (const auto& [reason, count] : reasons) std::cout << "  not computed, " << reason << ": " << count << "\n";
  for (const std::string& d : differences) std::cout << "  differs: " << d << "\n";
  ASSERT_GT(total, 0u);
  EXPECT_GE(share, 80.0);
  EXPECT_GE(computed_share, 98.0);
}

}  // namespace
}  // namespace tabrel::formula
