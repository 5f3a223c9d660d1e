// Every formula of the corpus's Excel files, printed in A1 and in R1C1, must parse back to a
// tree that prints the same text, except in the cells listed with their reasons.

#include <gtest/gtest.h>

#include "corpus/corpus_files.h"
#include "corpus/corpus_required.h"
#include "corpus/known_differences.h"

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

// Cells whose printed formula does not parse back to the same text, and why.
const std::vector<corpus::KnownDifference> kKnownReprintDifferences = {
};

TEST(CorpusRoundTrip, PrintedFormulasParseBackToTheSameText) {
  TABREL_REQUIRE_CORPUS(corpus::corpus_dir(), "the corpus");
  size_t total = 0;
  std::vector<corpus::Difference> failures;
  for (const fs::path& file : corpus::files_in("excel")) {
    const std::unique_ptr<model::Workbook> wb = corpus::open_workbook(file);
    if (!wb) continue;
    for (const auto& sheet : wb->sheets) {
      std::vector<model::CellRef> cells;
      for (const auto& [key, cell] : sheet->cells)
        if (cell.formula) cells.push_back(model::CellStore::position(key));
      for (model::CellRef at : cells) {
        std::optional<Node> tree;
        try {
          tree = cell_tree(*sheet, at);
        } catch (const FormulaError&) {
        }
        if (!tree) continue;
        std::string failed;
        for (Notation notation : {Notation::A1, Notation::R1C1}) {
          ++total;
          std::u16string text = print(*wb, at, *tree, notation), again;
          try {
            again = print(*wb, at, parse(text, *wb, at, notation), notation);
          } catch (const FormulaError& e) {
            again = u"(error) " + from_utf8(e.what());
          }
          if (again != text) failed += (failed.empty() ? "" : "; ") + to_utf8(text) + " -> " + to_utf8(again);
        }
        if (!failed.empty())
          failures.push_back({file.filename().string(), to_utf8(sheet->name), to_utf8(model::a1_address(at)), failed});
      }
    }
  }
  const corpus::Review review = corpus::review(failures, kKnownReprintDifferences);
  std::cout << "printed formulas: " << total << ", cells listed as known: " << failures.size() - review.unexpected.size()
            << "\n";
  for (const auto& [reason, count] : review.by_reason) std::cout << "  " << count << ": " << reason << "\n";
  EXPECT_GT(total, 20000u);
  EXPECT_TRUE(review.clean()) << review.report();
}

}  // namespace
}  // namespace tabrel::formula
