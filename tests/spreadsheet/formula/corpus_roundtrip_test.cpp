// Every formula of the corpus's Excel files, printed in A1 and in R1C1, must parse back to a
// tree that prints the same text.

#include <gtest/gtest.h>

#include "corpus/corpus_files.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/cell_formula.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/parse.h"

namespace tabrel::formula {
namespace {

namespace fs = std::filesystem;

TEST(CorpusRoundTrip, PrintedFormulasParseBackToTheSameText) {
  if (!corpus::corpus_dir()) GTEST_SKIP() << "corpus absent";
  const std::vector<fs::path> files = corpus::files_in("excel");
  size_t total = 0, same = 0;
  std::vector<std::string> failures;
  for (const fs::path& file : files) {
    const std::unique_ptr<model::Workbook> wb = corpus::open_workbook(file);
    if (!wb) continue;
    for (const auto& sheet : wb->sheets) {
      std::vector<model::CellRef> cells;
      for (const auto& [key, cell] : sheet->cells)
        if (cell.formula) cells.push_back(model::CellStore::position(key));
      for (model::CellRef at : cells) {
        for (Notation notation : {Notation::A1, Notation::R1C1}) {
          std::optional<Node> tree;
          try {
            tree = cell_tree(*sheet, at);
          } catch (const FormulaError&) {
          }
          if (!tree) continue;
          ++total;
          std::u16string text = print(*wb, at, *tree, notation), again;
          try {
            again = print(*wb, at, parse(text, *wb, at, notation), notation);
          } catch (const FormulaError& e) {
            again = u"(error) " + from_utf8(e.what());
          }
          if (again == text) ++same;
          else if (failures.size() < 400) failures.push_back(file.filename().string() + " " + to_utf8(text) + " -> " + to_utf8(again));
        }
      }
    }
  }
  double share = total ? 100.0 * static_cast<double>(same) / static_cast<double>(total) : 0;
  std::cout << "printed formulas: " << total << ", round trips: " << same << " (" << share << "%)\n";
  for (const std::string& f : failures) std::cout << "  " << f << "\n";
  ASSERT_GT(total, 0u);
  EXPECT_GE(share, 99.9);
}

}  // namespace
}  // namespace tabrel::formula
