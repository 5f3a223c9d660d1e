// Encoding the decoded formula of every cell of the corpus's Excel files must give back the
// bytes Excel wrote (token classes, jumps, attributes and array shapes included). Prints the
// share that matches and the first differences.

#include <gtest/gtest.h>

#include "corpus/corpus_files.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/decode.h"
#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/print.h"

namespace tabrel::formula {
namespace {

namespace fs = std::filesystem;

std::string hex(const std::vector<uint8_t>& bytes) {
  std::string out;
  char buf[4];
  for (uint8_t b : bytes) {
    std::snprintf(buf, sizeof buf, " %02X", b);
    out += buf;
  }
  return out;
}

TEST(CorpusEncode, DecodedCellFormulasEncodeToExcelsBytes) {
  if (!corpus::corpus_dir()) GTEST_SKIP() << "corpus absent";
  const std::vector<fs::path> files = corpus::files_in("excel");
  size_t total = 0, same = 0;
  std::vector<std::string> differences;
  for (const fs::path& file : files) {
    const std::unique_ptr<model::Workbook> wb = corpus::open_workbook(file);
    if (!wb) continue;
    for (const auto& sheet : wb->sheets)
      for (const auto& [key, cell] : sheet->cells) {
        if (!cell.formula) continue;
        model::CellRef at = model::CellStore::position(key);
        try {
          Node tree = decode(cell.formula->tokens, cell.formula->extra, at);
          if (tree.kind == Node::Kind::SharedRef || tree.kind == Node::Kind::TableRef) continue;
          ++total;
          Encoded again = encode(tree, at, EncodeForm::Cell, &wb->externals);
          if (again.tokens == cell.formula->tokens && again.extra == cell.formula->extra) {
            ++same;
          } else if (differences.size() < 40) {
            differences.push_back(file.filename().string() + " " + to_utf8(print(*wb, at, tree, Notation::A1)) +
                                  "\n    Excel:" + hex(cell.formula->tokens) + "\n    ours: " + hex(again.tokens));
          }
        } catch (const FormulaError&) {
        }
      }
  }
  double share = total ? 100.0 * static_cast<double>(same) / static_cast<double>(total) : 0;
  std::cout << "cell formulas: " << total << ", byte-identical: " << same << " (" << share << "%)\n";
  for (const std::string& d : differences) std::cout << "  " << d << "\n";
  ASSERT_GT(total, 0u);
  EXPECT_GE(share, 90.0);
}

}  // namespace
}  // namespace tabrel::formula
