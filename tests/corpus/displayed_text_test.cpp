// Range.Text of every cell that the spreadsheet exported to CSV (corpus displayed/), read end
// to end: the workbook is opened through the automation objects, so values, recalculated
// formulas, number formats, fonts and the file's own column widths all take part.

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <set>

#include "corpus/corpus_files.h"
#include "corpus/corpus_required.h"
#include "corpus/displayed_csv.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/date_serial.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/engine.h"
#include "spreadsheet/model/cell_ref.h"
#include "spreadsheet/numfmt/builtin_formats.h"

namespace tabrel {
namespace {

namespace fs = std::filesystem;

// Cells allowed to differ from their export, and why. A cell is named by its export and its
// A1 address on the sheet; "*" stands for the whole export, a bare column ("AK") or row ("38")
// for every cell of it. `ours` marks a difference that is our fault and not yet mended.
struct Exemption {
  const char* csv;
  const char* cells;
  const char* reason;
  bool ours = false;
};

constexpr const char* kVolatile = "volatile: recalculated when the spreadsheet exported it (TODAY, NOW, RAND, INFO)";
constexpr const char* kStale = "stale cache: the spreadsheet recalculated the whole file on opening";
constexpr const char* kForeign = "the export shows another workbook";
constexpr const char* kMacro = "filled by a macro when the workbook opens";
constexpr const char* kMacroFunction = "user-defined macro function, recalculated in the exporting machine's locale";
constexpr const char* kFitting =
    "General fitting: the export's column is a digit wider than ours (Mac metrics or our font widths)";
constexpr const char* kNarrow = "width: a number in a column of under two characters";
constexpr const char* kPadding = "width: a padded number that fits the export's column is \"#\" in ours";

constexpr Exemption kExempt[] = {
    {"sheetjs-BlankSheetTypes.sheet0.csv", "*", kForeign},
    {"sheetjs-formula_stress_test.sheet1.csv", "B6", kVolatile},
    {"sheetjs-formula_stress_test.sheet1.csv", "B7", kVolatile},
    {"sheetjs-formula_stress_test.sheet4.csv", "B3", kVolatile},
    {"sheetjs-formula_stress_test.sheet7.csv", "B46", kVolatile},
    {"poi-44861.sheet0.csv", "*", kStale},
    {"sheetjs-number_format.sheet1.csv", "D", kMacro},
    {"sheetjs-numfmt_1_russian.sheet0.csv", "D", kMacroFunction},
    {"sheetjs-numfmt_1_russian.sheet0.csv", "E", kMacroFunction},
    {"sheetjs-numfmt_1_russian.sheet0.csv", "F", kMacroFunction},
    {"sheetjs-formula_stress_test.sheet0.csv", "B", kFitting, true},
    {"sheetjs-formula_stress_test.sheet2.csv", "B", kFitting, true},
    {"sheetjs-formula_stress_test.sheet8.csv", "*", kFitting, true},
    {"sheetjs-named_ranges_2011.sheet0.csv", "E8", kFitting, true},
    {"sheetjs-xlsx-stream-d-date-cell.sheet0.csv", "D3", kFitting, true},
    {"poi-47847.sheet0.csv", "CC", kFitting, true},
    {"poi-47847.sheet0.csv", "CF", kFitting, true},
    {"poi-15556.sheet0.csv", "CK", kNarrow, true},
    {"poi-15556.sheet1.csv", "AC7", kNarrow, true},
    {"poi-15556.sheet1.csv", "AG7", kNarrow, true},
    {"sheetjs-number_format.sheet3.csv", "A", kPadding, true},
    {"sheetjs-LONumbers-2011.sheet0.csv", "38", kPadding, true},
};

// Workbooks whose formulas stamp today's date as yyyymmdd text (from TODAY()): the export
// shows the day it was made.
struct DateStamp {
  const char* xls;
  const char* export_day;
};
constexpr DateStamp kDateStamps[] = {{"poi-StringContinueRecords.xls", "20170325"}};

std::u16string todays_stamp() {
  const auto d = date_from_serial(formula::system_clock_serial());
  if (!d) return {};
  const int ymd = d->year * 10000 + d->month * 100 + d->day;
  return from_utf8(std::to_string(ymd));
}

// Our text with today's stamps written as the export's day.
std::u16string as_on_export_day(std::u16string text, const std::string& xls) {
  static const std::u16string today = todays_stamp();
  for (const DateStamp& s : kDateStamps) {
    if (xls != s.xls || today.empty()) continue;
    const std::u16string day = from_utf8(s.export_day);
    for (size_t at = text.find(today); at != std::u16string::npos; at = text.find(today, at + day.size()))
      text.replace(at, today.size(), day);
  }
  return text;
}

bool matches(const std::string& pattern, const std::string& cell) {
  if (pattern == "*" || pattern == cell) return true;
  if (pattern.find_first_not_of("0123456789") == std::string::npos)  // a whole row
    return cell.ends_with(pattern) && cell.find_first_of("0123456789") == cell.size() - pattern.size();
  return cell.starts_with(pattern) && cell.size() > pattern.size() &&
         cell.find_first_not_of("0123456789", pattern.size()) == std::string::npos;
}

const Exemption* exemption(const std::string& csv, const std::string& cell) {
  for (const Exemption& e : kExempt)
    if (csv == e.csv && matches(e.cells, cell)) return &e;
  return nullptr;
}

// Built-in formats whose text follows the system's locale: our Korean codes against the
// export's US ones.
bool locale_format(const std::u16string& code) {
  if (code.starts_with(u"[$-F800]") || code.starts_with(u"[$-F400]")) return true;
  for (int id : {5, 6, 7, 8, 14, 15, 16, 17, 18, 19, 20, 21, 22, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44})
    if (numfmt::builtin_format_code(id) == code) return true;
  return false;
}

// The fill character of a format ("*" and the character after it, outside quotes).
std::optional<char16_t> fill_of(const std::u16string& code) {
  bool quoted = false;
  for (size_t i = 0; i + 1 < code.size(); ++i) {
    if (code[i] == u'"') quoted = !quoted;
    else if (!quoted && code[i] == u'\\') ++i;
    else if (!quoted && code[i] == u'*') return code[i + 1];
  }
  return std::nullopt;
}

// The export writes a fill as nothing; Range.Text repeats it across the cell. Shortens the
// longest run of the fill character by what makes the lengths equal.
std::u16string without_fill(const std::u16string& ours, size_t exported_size, char16_t fill) {
  if (ours.size() <= exported_size) return ours;
  size_t best = 0, best_length = 0;
  for (size_t i = 0; i < ours.size();) {
    size_t j = i;
    while (j < ours.size() && ours[j] == fill) ++j;
    if (j - i > best_length) best = i, best_length = j - i;
    i = j == i ? i + 1 : j;
  }
  const size_t extra = ours.size() - exported_size;
  if (best_length < extra) return ours;
  return ours.substr(0, best) + ours.substr(best + extra);
}

struct Disagreement {
  std::string csv, cell;
  std::u16string ours, exported, formula, format;
};

struct Comparison {
  size_t compared = 0, agreed = 0, locale = 0;
  std::map<std::string, size_t> exempted, known_faults;  // by reason
  std::vector<Disagreement> disagreements;  // exemptions left out
  std::set<std::string> unopened;
};

std::optional<fs::path> workbook_path(const std::string& xls) {
  for (const char* folder : {"excel", "encrypted"})
    if (fs::exists(*corpus::corpus_dir() / folder / xls)) return *corpus::corpus_dir() / folder / xls;
  return std::nullopt;
}

std::string a1(int row, int col) { return to_utf8(model::a1_address({row, col})); }

void compare_sheet(xl::Workbook& book, const corpus::ExportedSheet& sheet, Comparison& out) {
  const auto ws = book.Sheets(Variant(from_utf8(sheet.sheet_name)));
  const auto rows = corpus::read_export(sheet.csv);
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      const int row = sheet.row0 + static_cast<int>(r), col = sheet.col0 + static_cast<int>(c);
      const std::string cell = a1(row, col);
      const auto range = ws->Cells(Variant(row + 1), Variant(col + 1));
      const std::u16string format = range->NumberFormat().to_string();
      const Variant text = range->Text();
      std::u16string ours = text.is_string() ? text.to_string() : u"<not a text>";
      if (const auto fill = fill_of(format)) ours = without_fill(ours, rows[r][c].size(), *fill);
      ours = as_on_export_day(std::move(ours), sheet.xls);
      ++out.compared;
      if (corpus::same_as_export(ours, rows[r][c])) ++out.agreed;
      else if (const Exemption* e = exemption(sheet.csv, cell)) ++(e->ours ? out.known_faults : out.exempted)[e->reason];
      else if (locale_format(format)) ++out.locale;
      else out.disagreements.push_back({sheet.csv, cell, ours, rows[r][c], range->Formula().to_string(), format});
    }
  }
}

Comparison compare_corpus() {
  Comparison out;
  std::map<std::string, std::vector<corpus::ExportedSheet>> by_workbook;
  for (const auto& sheet : corpus::exported_sheets()) by_workbook[sheet.xls].push_back(sheet);
  for (const auto& [xls, sheets] : by_workbook) {
    const auto path = workbook_path(xls);
    if (!path) {
      out.unopened.insert(xls);
      continue;
    }
    const auto app = xl::Application::New();
    Variant password;
    if (auto p = corpus::password_of(xls)) password = Variant(from_utf8(*p));
    try {
      const auto book = app->Workbooks()->Open(path->u16string(), {}, password);
      for (const auto& sheet : sheets) compare_sheet(*book, sheet, out);
    } catch (const AutomationError& e) {
      out.unopened.insert(xls + ": " + e.what());
    }
  }
  return out;
}

std::string describe(const std::vector<Disagreement>& list) {
  std::string s;
  for (const auto& d : list)
    s += d.csv + " " + d.cell + " ours='" + to_utf8(d.ours) + "' export='" + to_utf8(d.exported) + "' format '" +
         to_utf8(d.format) + "' " + to_utf8(d.formula) + "\n";
  return s;
}

TEST(DisplayedText, AgreesWithTheSpreadsheetsExports) {
  TABREL_REQUIRE_CORPUS(corpus::corpus_dir() && !corpus::exported_sheets().empty(), "the corpus's exports");
  const Comparison result = compare_corpus();
  std::cout << result.agreed << " of " << result.compared << " exported cells agree; " << result.locale
            << " differ as a locale's built-in format does\n";
  for (const auto& [reason, count] : result.exempted) std::cout << count << " exempt: " << reason << "\n";
  for (const auto& [reason, count] : result.known_faults) std::cout << count << " ours: " << reason << "\n";
  EXPECT_TRUE(result.unopened.empty()) << [&] {
    std::string s;
    for (const auto& u : result.unopened) s += u + "\n";
    return s;
  }();
  EXPECT_GT(result.compared, 10000u);
  EXPECT_TRUE(result.disagreements.empty()) << result.disagreements.size() << " cells disagree\n"
                                            << describe(result.disagreements);
}

}  // namespace
}  // namespace tabrel
