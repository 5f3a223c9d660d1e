// Encoding the decoded formula of every cell of the corpus's Excel files must give back the
// bytes Excel wrote (token classes, jumps, attributes and array shapes included), except in
// the cells listed with their reasons.

#include <gtest/gtest.h>

#include "corpus/corpus_files.h"
#include "corpus/corpus_required.h"
#include "corpus/known_differences.h"

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

constexpr const char* kAttrSum = "the spreadsheet leaves stray bytes in the unused field of a SUM attribute; we write zeros";
constexpr const char* kClass =
    "token classes: the spreadsheet gives arguments of functions newer than the format, and array constants, the "
    "reference or array class where we give the value class";
constexpr const char* kMemTokens =
    "the spreadsheet wraps reference expressions (unions, intersections, ranges of names) in memory tokens that we "
    "do not write";
constexpr const char* kNumber = "whole numbers that the spreadsheet stored as floating-point tokens; we write integer tokens";
constexpr const char* kRefErr = "the spreadsheet keeps the old position in the unused bytes of a #REF! reference; we write zeros";

// Cells whose formula we encode to other bytes than the spreadsheet wrote, and why.
const std::vector<corpus::KnownDifference> kKnown = {
    {"poi-15556.xls", "2270-170-1!CK37:CK38", kAttrSum},
    {"poi-15556.xls", "2270-170-2!CK37:CK38", kAttrSum},
    {"poi-31749.xls", "_Proj!H58", kAttrSum},
    {"poi-31749.xls", "_Proj!H94", kAttrSum},
    {"poi-31749.xls", "_Proj!H108", kAttrSum},
    {"poi-31749.xls", "_Proj!H119", kAttrSum},
    {"poi-31749.xls", "_Proj!H133", kAttrSum},
    {"poi-31749.xls", "_Proj!H194", kAttrSum},
    {"poi-31749.xls", "_Proj!H199", kAttrSum},
    {"poi-FormulaEvalTestData.xls", "EverythingTests!G1360", kAttrSum},
    {"poi-FormulaEvalTestData.xls", "EverythingTests!H1044:I1044", kAttrSum},
    {"poi-FormulaEvalTestData.xls", "EverythingTests!K1044:L1044", kAttrSum},
    {"poi-FormulaEvalTestData.xls", "EverythingTests!N1044", kAttrSum},
    {"poi-FormulaEvalTestData.xls", "EverythingTests!D47:E47", kMemTokens},
    {"poi-FormulaEvalTestData.xls", "EverythingTests!D75:E75", kMemTokens},
    {"poi-FormulaEvalTestData.xls", "EverythingTests!F47:H47", kMemTokens},
    {"poi-FormulaEvalTestData.xls", "EverythingTests!D23", kNumber},
    {"poi-FormulaEvalTestData.xls", "EverythingTests!R8", kNumber},
    {"poi-FormulaEvalTestData.xls", "EverythingTests!G244", kRefErr},
    {"poi-IndexFunctionTestCaseData.xls", "Index!B128:B138", kAttrSum},
    {"poi-external_name.xls", "CG YTP Template!BX22:EA22", kAttrSum},
    {"poi-external_name.xls", "Example YTP 2!AX23:DZ23", kAttrSum},
    {"poi-external_name.xls", "Example YTP 2!EA15", kAttrSum},
    {"poi-external_name.xls", "Example YTP 2!EA23", kAttrSum},
    {"poi-testNames.xls", "Sheet1!A9", kAttrSum},
    {"sheetjs-ErrorTypes.xls", "RawErrors!F14", kClass},
    {"sheetjs-ErrorTypes.xls", "RawErrors!H14:J14", kClass},
    {"sheetjs-formula_stress_test.xls", "Date!B25", kClass},
    {"sheetjs-formula_stress_test.xls", "Logical!B12", kClass},
    {"sheetjs-formula_stress_test.xls", "Lookup!B7", kMemTokens},
    {"sheetjs-formula_stress_test.xls", "Lookup!B14", kRefErr},
    {"sheetjs-formula_stress_test.xls", "Math!B5", kClass},
    {"sheetjs-formula_stress_test.xls", "Math!B12", kClass},
    {"sheetjs-formula_stress_test.xls", "Math!B17", kClass},
    {"sheetjs-formula_stress_test.xls", "Math!B23", kClass},
    {"sheetjs-formula_stress_test.xls", "Math!B25", kClass},
    {"sheetjs-formula_stress_test.xls", "Math!B28", kClass},
    {"sheetjs-formula_stress_test.xls", "Math!B34:B35", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B2:B3", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B6:B7", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B11:B14", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B16:B17", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B19", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B21:B24", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B29:B30", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B33", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B36:B37", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B39", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B41:B44", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B50:B55", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B59", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B65", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B72", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B74:B75", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B87", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B90:B91", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B93:B94", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B96:B97", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B118", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B120", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B122", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B124", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B129:B130", kClass},
    {"sheetjs-formula_stress_test.xls", "Statistical!B138:B140", kClass},
    {"sheetjs-named_ranges_2011.xls", "Cross-Sheet!D1:E2", kAttrSum},
    {"sheetjs-named_ranges_2011.xls", "Cross-Sheet!F1", kAttrSum},
    {"sheetjs-named_ranges_2011.xls", "Named Ranges!E2:E4", kAttrSum},
    {"xlrd-namesdemo.xls", "Sheet1!A12", kAttrSum},
    {"xlrd-namesdemo.xls", "Sheet3!B13", kAttrSum},
    {"xlrd-namesdemo.xls", "Sheet3!B15", kAttrSum},
    {"xlrd-namesdemo.xls", "Sheet3!A13:A14", kMemTokens},
};

TEST(CorpusEncode, DecodedCellFormulasEncodeToExcelsBytes) {
  TABREL_REQUIRE_CORPUS(corpus::corpus_dir(), "the corpus");
  size_t total = 0;
  std::vector<corpus::Difference> differences;
  for (const fs::path& file : corpus::files_in("excel")) {
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
          if (again.tokens != cell.formula->tokens || again.extra != cell.formula->extra)
            differences.push_back({file.filename().string(), to_utf8(sheet->name), to_utf8(model::a1_address(at)),
                                   to_utf8(print(*wb, at, tree, Notation::A1)) + "\n    Excel:" +
                                       hex(cell.formula->tokens) + "\n    ours: " + hex(again.tokens)});
        } catch (const FormulaError&) {
        }
      }
  }
  const corpus::Review review = corpus::review(differences, kKnown);
  std::cout << "cell formulas: " << total << ", differ as listed: " << differences.size() - review.unexpected.size()
            << "\n";
  for (const auto& [reason, count] : review.by_reason) std::cout << "  " << count << ": " << reason << "\n";
  EXPECT_GT(total, 3000u);
  EXPECT_TRUE(review.clean()) << review.report();
}

}  // namespace
}  // namespace tabrel::formula
