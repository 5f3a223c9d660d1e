// Recalculating every stored formula of the corpus's Excel files from the cached values of its
// precedents must give the cached result Excel stored, except in the cells listed with their
// reasons; volatile cells follow today's clock, and the formulas the engine does not compute are
// counted by reason against a closed table.

#include <gtest/gtest.h>

#include "corpus/corpus_files.h"
#include "corpus/corpus_required.h"
#include "corpus/known_differences.h"

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

constexpr const char* kStale = "stale cache: the file was saved without recalculating; the spreadsheet recalculates on opening";
constexpr const char* kSavedDay =
    "cached on the day of saving: the cells look rows up by today's stamp (TODAY() in column AK), which finds "
    "nothing on a later day; the spreadsheet's own export shows #VALUE! as we do";
constexpr const char* kMacCodePage = "CHAR and CODE follow the saving machine's code page (Mac Roman), ours Windows-1252";

// Cells whose recalculated result differs from the cached one, and why.
const std::vector<corpus::KnownDifference> kKnownResultDifferences = {
    {"poi-44861.xls", "reporting!*", kStale},
    {"sheetjs-formula_stress_test.xls", "Text!B20:B21", kMacCodePage},
    {"poi-StringContinueRecords.xls", "file load sequence!S147:T218", kSavedDay},
    {"poi-StringContinueRecords.xls", "file load sequence!T6:T146", kSavedDay},
    {"poi-StringContinueRecords.xls", "file load sequence!AV4:AV301", kSavedDay},
    {"poi-31749.xls", "_Proj!H195", "ours: #REF! where the spreadsheet gives #VALUE!, cause not yet found"},
    {"poi-DateTimeToNumberTestCases.xls", "DateTime!B18", "ours: a date text that the spreadsheet refused to read as a number reads as one"},
    {"poi-FormulaEvalTestData.xls", "EverythingTests!M968", "ours: MODE of a cell reference holding text gives a mode instead of #VALUE!"},
    {"poi-LookupFunctionsTestCaseData.xls", "VL-oddArgs!B15", "ours: VLOOKUP with an odd column argument finds a value instead of #REF!"},
};

// Formulas the engine does not compute, by the reason it gives, with how many cells (or, for
// files not opened, files) of the corpus have each reason.
const std::map<std::string, size_t> kNotComputed = {
    {"function not implemented: ACCRINT", 1}, {"function not implemented: ACCRINTM", 1},
    {"function not implemented: AGGREGATE", 1}, {"function not implemented: AMORDEGRC", 1},
    {"function not implemented: AMORLINC", 1}, {"function not implemented: ASC", 1},
    {"function not implemented: BESSELI", 6}, {"function not implemented: BESSELJ", 1},
    {"function not implemented: BESSELK", 1}, {"function not implemented: BESSELY", 1},
    {"function not implemented: BETA.DIST", 1}, {"function not implemented: BETA.INV", 1},
    {"function not implemented: BETADIST", 1}, {"function not implemented: BETAINV", 1},
    {"function not implemented: BIN2DEC", 6}, {"function not implemented: BIN2HEX", 1},
    {"function not implemented: BIN2OCT", 1}, {"function not implemented: BINOM.DIST", 1},
    {"function not implemented: BINOM.INV", 1}, {"function not implemented: BINOMDIST", 1},
    {"function not implemented: CEILING.PRECISE", 1}, {"function not implemented: CHIDIST", 1},
    {"function not implemented: CHIINV", 1}, {"function not implemented: CHISQ.DIST", 1},
    {"function not implemented: CHISQ.DIST.RT", 1}, {"function not implemented: CHISQ.INV", 1},
    {"function not implemented: CHISQ.INV.RT", 1}, {"function not implemented: CHISQ.TEST", 1},
    {"function not implemented: CHITEST", 1}, {"function not implemented: COMPLEX", 22},
    {"function not implemented: CONCAT", 12}, {"function not implemented: CONFIDENCE", 1},
    {"function not implemented: CONFIDENCE.NORM", 1}, {"function not implemented: CONFIDENCE.T", 1},
    {"function not implemented: CONVERT", 1}, {"function not implemented: CORREL", 1},
    {"function not implemented: COUPDAYBS", 1}, {"function not implemented: COUPDAYS", 1},
    {"function not implemented: COUPDAYSNC", 1}, {"function not implemented: COUPNCD", 1},
    {"function not implemented: COUPNUM", 1}, {"function not implemented: COUPPCD", 1},
    {"function not implemented: COVAR", 1}, {"function not implemented: COVARIANCE.P", 1},
    {"function not implemented: COVARIANCE.S", 1}, {"function not implemented: CRITBINOM", 1},
    {"function not implemented: CUMIPMT", 1}, {"function not implemented: CUMPRINC", 1},
    {"function not implemented: Comment", 3}, {"function not implemented: DEC2BIN", 13},
    {"function not implemented: DEC2HEX", 14}, {"function not implemented: DEC2OCT", 1},
    {"function not implemented: DELTA", 1}, {"function not implemented: DISC", 1},
    {"function not implemented: DOLLAR", 12}, {"function not implemented: DOLLARDE", 1},
    {"function not implemented: DOLLARFR", 1}, {"function not implemented: DURATION", 1},
    {"function not implemented: DoFmt", 26}, {"function not implemented: Dofmt", 54},
    {"function not implemented: ECMA.CEILING", 1}, {"function not implemented: EDATE", 1},
    {"function not implemented: EFFECT", 1}, {"function not implemented: EOMONTH", 1},
    {"function not implemented: EXPON.DIST", 1}, {"function not implemented: EXPONDIST", 1},
    {"function not implemented: F.DIST", 1}, {"function not implemented: F.DIST.RT", 1},
    {"function not implemented: F.INV", 1}, {"function not implemented: F.INV.RT", 1},
    {"function not implemented: F.TEST", 1}, {"function not implemented: FACTDOUBLE", 11},
    {"function not implemented: FDIST", 1}, {"function not implemented: FINDB", 1},
    {"function not implemented: FINV", 1}, {"function not implemented: FISHER", 1},
    {"function not implemented: FISHERINV", 1}, {"function not implemented: FLOOR.PRECISE", 1},
    {"function not implemented: FORECAST", 1}, {"function not implemented: FREQUENCY", 1},
    {"function not implemented: FTEST", 1}, {"function not implemented: FVSCHEDULE", 2},
    {"function not implemented: GAMMA.DIST", 1}, {"function not implemented: GAMMA.INV", 1},
    {"function not implemented: GAMMADIST", 1}, {"function not implemented: GAMMAINV", 1},
    {"function not implemented: GAMMALN", 1}, {"function not implemented: GAMMALN.PRECISE", 1},
    {"function not implemented: GCD", 1}, {"function not implemented: GESTEP", 1},
    {"function not implemented: GETPIVOTDATA", 1}, {"function not implemented: GROWTH", 1},
    {"function not implemented: HEX2BIN", 1}, {"function not implemented: HEX2DEC", 11},
    {"function not implemented: HEX2OCT", 1}, {"function not implemented: HYPERLINK", 2},
    {"function not implemented: HYPGEOM.DIST", 1}, {"function not implemented: HYPGEOMDIST", 1},
    {"function not implemented: IMABS", 1}, {"function not implemented: IMAGINARY", 1},
    {"function not implemented: IMARGUMENT", 1}, {"function not implemented: IMCONJUGATE", 1},
    {"function not implemented: IMCOS", 1}, {"function not implemented: IMDIV", 1},
    {"function not implemented: IMEXP", 1}, {"function not implemented: IMLN", 1},
    {"function not implemented: IMLOG10", 1}, {"function not implemented: IMLOG2", 1},
    {"function not implemented: IMPOWER", 1}, {"function not implemented: IMPRODUCT", 1},
    {"function not implemented: IMREAL", 1}, {"function not implemented: IMSIN", 1},
    {"function not implemented: IMSQRT", 1}, {"function not implemented: IMSUB", 1},
    {"function not implemented: IMSUM", 1}, {"function not implemented: INFO", 1},
    {"function not implemented: INTERCEPT", 3}, {"function not implemented: INTRATE", 1},
    {"function not implemented: ISEVEN", 1}, {"function not implemented: ISO.CEILING", 1},
    {"function not implemented: ISODD", 1}, {"function not implemented: JIS", 1},
    {"function not implemented: KURT", 1}, {"function not implemented: LCM", 1},
    {"function not implemented: LEFTB", 1}, {"function not implemented: LENB", 1},
    {"function not implemented: LINEST", 11}, {"function not implemented: LOGEST", 11},
    {"function not implemented: LOGINV", 1}, {"function not implemented: LOGNORM.DIST", 1},
    {"function not implemented: LOGNORM.INV", 1}, {"function not implemented: LOGNORMDIST", 1},
    {"function not implemented: MDETERM", 7}, {"function not implemented: MDURATION", 1},
    {"function not implemented: MIDB", 1}, {"function not implemented: MINVERSE", 55},
    {"function not implemented: MMULT", 73}, {"function not implemented: MODE.MULT", 1},
    {"function not implemented: MODE.SNGL", 1}, {"function not implemented: MROUND", 1},
    {"function not implemented: MULTINOMIAL", 1}, {"function not implemented: NEGBINOM.DIST", 1},
    {"function not implemented: NEGBINOMDIST", 1}, {"function not implemented: NETWORKDAYS", 1},
    {"function not implemented: NETWORKDAYS.INTL", 1}, {"function not implemented: NOMINAL", 1},
    {"function not implemented: NORM.DIST", 1}, {"function not implemented: NORM.INV", 1},
    {"function not implemented: NORM.S.DIST", 1}, {"function not implemented: NORM.S.INV", 1},
    {"function not implemented: NORMDIST", 1}, {"function not implemented: NORMINV", 1},
    {"function not implemented: NORMSDIST", 1}, {"function not implemented: NORMSINV", 1},
    {"function not implemented: NumFmt", 69}, {"function not implemented: OCT2BIN", 1},
    {"function not implemented: OCT2DEC", 9}, {"function not implemented: OCT2HEX", 1},
    {"function not implemented: ODDFPRICE", 1}, {"function not implemented: ODDFYIELD", 1},
    {"function not implemented: ODDLPRICE", 1}, {"function not implemented: ODDLYIELD", 1},
    {"function not implemented: PEARSON", 1}, {"function not implemented: PERCENTILE.EXC", 1},
    {"function not implemented: PERCENTILE.INC", 1}, {"function not implemented: PERCENTRANK", 1},
    {"function not implemented: PERCENTRANK.EXC", 1}, {"function not implemented: PERCENTRANK.INC", 1},
    {"function not implemented: PHONETIC", 1}, {"function not implemented: POISSON", 3},
    {"function not implemented: POISSON.DIST", 1}, {"function not implemented: PRICE", 1},
    {"function not implemented: PRICEDISC", 1}, {"function not implemented: PRICEMAT", 1},
    {"function not implemented: PROB", 1}, {"function not implemented: QUARTILE.EXC", 1},
    {"function not implemented: QUARTILE.INC", 1}, {"function not implemented: QUOTIENT", 9},
    {"function not implemented: RAND", 1}, {"function not implemented: RANDBETWEEN", 1},
    {"function not implemented: RANK.AVG", 1}, {"function not implemented: RANK.EQ", 1},
    {"function not implemented: RECEIVED", 1}, {"function not implemented: REPLACEB", 1},
    {"function not implemented: ROMAN", 38}, {"function not implemented: RSQ", 1},
    {"function not implemented: SEARCHB", 1}, {"function not implemented: SERIESSUM", 1},
    {"function not implemented: SKEW", 1}, {"function not implemented: SLOPE", 5},
    {"function not implemented: SQRTPI", 1}, {"function not implemented: STANDARDIZE", 1},
    {"function not implemented: STDEV.P", 1}, {"function not implemented: STDEV.S", 1},
    {"function not implemented: STEYX", 1}, {"function not implemented: SUMX2MY2", 11},
    {"function not implemented: SUMX2PY2", 9}, {"function not implemented: SUMXMY2", 8},
    {"function not implemented: T.DIST", 1}, {"function not implemented: T.DIST.2T", 1},
    {"function not implemented: T.DIST.RT", 1}, {"function not implemented: T.INV", 1},
    {"function not implemented: T.INV.2T", 1}, {"function not implemented: T.TEST", 1},
    {"function not implemented: TBILLEQ", 1}, {"function not implemented: TBILLPRICE", 1},
    {"function not implemented: TBILLYIELD", 1}, {"function not implemented: TDIST", 1},
    {"function not implemented: TINV", 1}, {"function not implemented: TREND", 7},
    {"function not implemented: TTEST", 1}, {"function not implemented: UNIQUE", 6},
    {"function not implemented: VAR.P", 1}, {"function not implemented: VAR.S", 1},
    {"function not implemented: VDB", 1}, {"function not implemented: WEEKNUM", 16},
    {"function not implemented: WEIBULL", 1}, {"function not implemented: WEIBULL.DIST", 1},
    {"function not implemented: WORKDAY", 1}, {"function not implemented: WORKDAY.INTL", 1},
    {"function not implemented: XIRR", 1}, {"function not implemented: XNPV", 1},
    {"function not implemented: YEARFRAC", 1}, {"function not implemented: YEN", 1},
    {"function not implemented: YIELD", 1}, {"function not implemented: YIELDDISC", 1},
    {"function not implemented: YIELDMAT", 1}, {"function not implemented: Z.TEST", 1},
    {"function not implemented: ZTEST", 1}, {"function not implemented: _FV", 7},
    {"function not implemented: crapName", 1}, {"function not implemented: myFunc", 2},
    {"function not implemented: myFunc2", 1}, {"function not implemented: square", 8},
    {"malformed formula", 1}, {"name in another workbook", 4},
    {"reference to another workbook", 36},
};

std::string describe(const std::map<std::string, size_t>& counts) {
  std::string s;
  for (const auto& [reason, count] : counts) s += "  " + reason + ": " + std::to_string(count) + "\n";
  return s;
}

// A moment to compute at (2024-03-15 13:30), so that the run does not depend on the day.
constexpr double kNow = 45366 + 13.5 / 24;

// Whether the cell gives another result at the later engine's moment (its value is put back).
bool follows_the_clock(Engine& later, model::Sheet& sheet, int index, model::CellRef c, const Scalar& now) {
  const model::CellValue kept = sheet.cells.find(c)->value;
  const std::optional<Scalar> then = later.recompute(index, c);
  sheet.cells.find(c)->value = kept;
  return !then || !agrees(to_cell_value(now), *then);
}

TEST(CorpusRecalc, StoredFormulasGiveTheirCachedResults) {
  TABREL_REQUIRE_CORPUS(corpus::corpus_dir(), "the corpus");
  size_t total = 0, agree = 0, volatile_cells = 0;
  std::map<std::string, size_t> not_computed;
  std::vector<corpus::Difference> differences;
  for (const fs::path& file : corpus::files_in("excel")) {
    const std::unique_ptr<model::Workbook> wb = corpus::open_workbook(file);
    if (!wb) {
      ++not_computed["file not opened"];
      continue;
    }
    // TEXT renders through the number-format module, as the automation layer wires it.
    EngineOptions options;
    options.format_number = [](double value, std::u16string_view code, const model::Workbook& book) {
      layout::DisplayOptions display;
      display.date_system = book.date_system;
      return std::optional(layout::display_text(numfmt::CellValue(value), code, 0, layout::FontSpec{}, display));
    };
    // Volatile cells are computed at two moments 1000.5 days apart; only those whose result
    // follows the clock are let off the comparison.
    options.clock = [] { return kNow; };
    Engine engine(*wb, options);
    options.clock = [] { return kNow + 1000.5; };
    Engine later(*wb, options);
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
        if (!got) continue;  // counted below by the engine's reason
        if (agrees(cached, *got)) {
          ++agree;
        } else if (is_volatile_cell && follows_the_clock(later, sheet, static_cast<int>(s), c, *got)) {
          ++volatile_cells;
        } else {
          std::string text;
          try {
            text = to_utf8(cell_formula(*wb, sheet, c, Notation::A1));
          } catch (const FormulaError&) {
          }
          differences.push_back({file.filename().string(), to_utf8(sheet.name), to_utf8(model::a1_address(c)),
                                 text + ": cached " + describe(to_scalar(cached)) + ", computed " + describe(*got)});
        }
      }
    }
    for (const auto& p : engine.problems())
      ++not_computed[p.message.starts_with("malformed") ? "malformed formula" : p.message];
  }
  const corpus::Review review = corpus::review(differences, kKnownResultDifferences);
  std::cout << "formula cells: " << total << ", agree: " << agree << ", volatile: " << volatile_cells
            << ", differ as listed: " << differences.size() - review.unexpected.size() << "\n";
  for (const auto& [reason, count] : review.by_reason) std::cout << "  " << count << ": " << reason << "\n";
  EXPECT_GT(total, 13000u);
  EXPECT_TRUE(review.clean()) << review.report();
  EXPECT_EQ(not_computed, kNotComputed) << "not computed now:\n" << describe(not_computed);
}

}  // namespace
}  // namespace tabrel::formula
