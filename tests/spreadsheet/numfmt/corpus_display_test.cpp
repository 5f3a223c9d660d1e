// Displayed texts of the corpus: each cell's value and number format, as the independent
// reader dumped them, rendered by us and compared with the spreadsheet's own CSV export.
// The export writes no column widths into the text, so cells are rendered without a cell.

#include <gtest/gtest.h>

#include <iostream>
#include <map>

#include "corpus/corpus_files.h"
#include "corpus/corpus_required.h"
#include "corpus/displayed_csv.h"
#include "corpus/known_differences.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/numfmt/format_cache.h"
#include "spreadsheet/numfmt/format_error.h"
#include "spreadsheet/numfmt/render.h"

namespace tabrel::numfmt {
namespace {

using Json = json::Value;

std::pair<int, int> cell_position(const std::string& address) {
  int col = 0;
  size_t i = 0;
  while (i < address.size() && address[i] >= 'A' && address[i] <= 'Z') col = col * 26 + (address[i++] - 'A' + 1);
  return {std::stoi(address.substr(i)) - 1, col - 1};
}

CellValue value_of(const Json& cell) {
  const std::string type = cell["type"].is_string() ? cell["type"].as_string() : "";
  const Json& v = cell["value"];
  if ((type == "number" || type == "date") && v.is_number()) return CellValue(v.as_number());
  if (type == "text" && v.is_string()) return CellValue(from_utf8(v.as_string()));
  if (type == "bool" && v.is_number()) return CellValue(v.as_number() != 0);
  if (type == "error" && v.is_string())
    if (auto e = cell_error_from_text(from_utf8(v.as_string()))) return CellValue(*e);
  return CellValue();
}

struct Mismatch {
  std::string where, format;
  std::u16string ours, csv;
  std::string xls, sheet, cell;
};

// Renders every cell of every exported sheet of `only` (all files when empty).
std::vector<Mismatch> compare_corpus(const std::string& only, size_t& compared) {
  std::vector<Mismatch> out;
  std::map<std::string, std::optional<Json>> books;
  FormatCache cache;
  for (const corpus::ExportedSheet& row : corpus::exported_sheets()) {
    if (!only.empty() && row.xls != only) continue;
    auto& book = books[row.xls];
    if (!book) {
      book = corpus::expected_dump(row.xls);
      if (!book) continue;
    }
    const Json& sheets = (*book)["sheets"];
    const Json* sheet = nullptr;
    if (!sheets.is_array()) continue;
    for (const Json& s : sheets.as_array())
      if (s["name"].is_string() && s["name"].as_string() == row.sheet_name) sheet = &s;
    if (!sheet || !(*sheet)["cells"].is_object()) continue;
    RenderOptions options;
    if ((*book)["datemode"].is_number() && (*book)["datemode"].as_number() == 1)
      options.date_system = DateSystem::k1904;
    auto csv = corpus::read_export(row.csv);
    for (const auto& [address, cell] : (*sheet)["cells"].as_object()) {
      auto [r, c] = cell_position(address);
      r -= row.row0, c -= row.col0;
      std::u16string expected;
      if (r >= 0 && c >= 0 && static_cast<size_t>(r) < csv.size() && static_cast<size_t>(c) < csv[static_cast<size_t>(r)].size())
        expected = csv[static_cast<size_t>(r)][static_cast<size_t>(c)];
      const Json& fmt = cell["xf"]["format"];
      std::u16string code = fmt.is_string() ? from_utf8(fmt.as_string()) : u"General";
      std::u16string ours;
      try {
        ours = render(*cache.get(code), value_of(cell), options).text;
      } catch (const FormatError& e) {
        ours = u"<" + from_utf8(e.what()) + u">";
      }
      ++compared;
      if (!corpus::same_as_export(ours, expected))
        out.push_back({row.csv + " " + address, to_utf8(code), ours, expected, row.xls, row.sheet_name, address});
    }
  }
  return out;
}

std::string describe(const std::vector<Mismatch>& list, size_t limit) {
  std::string s;
  for (size_t i = 0; i < list.size() && i < limit; ++i)
    s += list[i].where + " [" + list[i].format + "] ours='" + to_utf8(list[i].ours) + "' csv='" + to_utf8(list[i].csv) + "'\n";
  return s;
}

// Cells whose export cannot agree with a cached value and a Korean display:
// the "VBA Fmt" column of sheet 1 is filled by a macro when the workbook is opened (the file
// caches ""), and [$-F800] / [$-F400] show the system's long date and time, which are Korean
// here and were English (Mac) where the export was made.
bool exempt(const Mismatch& m) {
  if (m.where.starts_with("sheetjs-number_format.sheet1.csv D")) return true;
  return m.format.starts_with("[$-F800]") || m.format.starts_with("[$-F400]");
}

bool corpus_present() { return !corpus::exported_sheets().empty(); }

TEST(CorpusDisplay, NumberFormatFixtureAgreesWithExport) {
  TABREL_REQUIRE_CORPUS(corpus_present(), "the corpus's exports");
  size_t compared = 0;
  auto mismatches = compare_corpus("sheetjs-number_format.xls", compared);
  std::erase_if(mismatches, exempt);
  EXPECT_GT(compared, 500u);
  EXPECT_TRUE(mismatches.empty()) << mismatches.size() << " of " << compared << "\n" << describe(mismatches, 60);
}

// Workbooks made to show number formats; their cached values are what the export shows.
TEST(CorpusDisplay, FormatWorkbooksAgreeWithExport) {
  TABREL_REQUIRE_CORPUS(corpus_present(), "the corpus's exports");
  for (const char* xls : {"sheetjs-NumberFormatCondition.xls", "sheetjs-LONumbers-2011.xls"}) {
    size_t compared = 0;
    auto mismatches = compare_corpus(xls, compared);
    EXPECT_GT(compared, 0u) << xls;
    EXPECT_TRUE(mismatches.empty()) << xls << ": " << mismatches.size() << " of " << compared << "\n"
                                    << describe(mismatches, 60);
  }
}

constexpr const char* kTodaysStamp =
    "cached from TODAY() on the day the file was saved; the export recalculated it and the cells built on it";
constexpr const char* kVolatile = "volatile: recalculated when the spreadsheet exported it (TODAY, NOW, RAND, INFO)";
constexpr const char* kMacroFunction = "user-defined macro function, recalculated in the exporting machine's locale";

// Cells of other workbooks whose cached value and format do not give what the export shows,
// and why (the export shows the values the spreadsheet recalculated on opening).
const std::vector<corpus::KnownDifference> kKnown = {
    {"poi-44861.xls", "reporting!*", "stale cache: the file was saved without recalculating"},
    {"poi-StringContinueRecords.xls", "file load sequence!S5:V223", kTodaysStamp},
    {"poi-StringContinueRecords.xls", "file load sequence!AK4:AM301", kTodaysStamp},
    {"poi-StringContinueRecords.xls", "file load sequence!AS5:AS223", kTodaysStamp},
    {"poi-StringContinueRecords.xls", "file load sequence!AV4:AX301", kTodaysStamp},
    {"poi-StringContinueRecords.xls", "Param!B4", kTodaysStamp},
    {"sheetjs-formula_stress_test.xls", "Date!B6:B7", kVolatile},
    {"sheetjs-formula_stress_test.xls", "Information!B3", kVolatile},
    {"sheetjs-formula_stress_test.xls", "Math!B46", kVolatile},
    {"sheetjs-numfmt_1_russian.xls", "Sheet1!D3:F14", kMacroFunction},
    {"poi-12561-1.xls", "作業リスト!L44", "the dump gives this cell the General format; the export shows a date"},
};

// Every exported cell of the corpus: the same text as the export, or a cell listed above.
TEST(CorpusDisplay, WholeCorpusAgreesWithExportExceptListedCells) {
  TABREL_REQUIRE_CORPUS(corpus_present(), "the corpus's exports");
  size_t compared = 0;
  auto mismatches = compare_corpus("", compared);
  std::erase_if(mismatches, exempt);
  std::vector<corpus::Difference> differences;
  for (const Mismatch& m : mismatches)
    differences.push_back({m.xls, m.sheet, m.cell, "[" + m.format + "] ours '" + to_utf8(m.ours) + "', export '" + to_utf8(m.csv) + "'"});
  const corpus::Review review = corpus::review(differences, kKnown);
  std::cout << compared << " cells compared\n";
  for (const auto& [reason, count] : review.by_reason) std::cout << "  " << count << ": " << reason << "\n";
  EXPECT_GT(compared, 100000u);
  EXPECT_TRUE(review.clean()) << review.report();
}

}  // namespace
}  // namespace tabrel::numfmt
