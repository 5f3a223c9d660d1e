// The reader on the shared corpus of real workbooks: every Excel-written file opens and agrees
// with an independent reader's dump; encrypted files open with their password only; damaged and
// older-version files give a typed error and never crash.
//
// Fields that cannot agree with the independent reader, and how the comparison treats them:
// | field                      | why                                                          |
// |----------------------------|--------------------------------------------------------------|
// | cell type "date"           | it guesses dates from the number format; the engine keeps    |
// |                            | the number (the displayed text is the number format's job):  |
// |                            | compared as "number"                                         |
// | cells of type "empty"      | it fills its nrows x ncols rectangle with cells the file     |
// |                            | does not hold (with the last XF): skipped                    |
// | names[].formula            | always null there: not compared                              |
// | chart and macro sheets     | not listed there: compared after leaving them out            |
// Everything else it prints is compared exactly: values, fonts, fills, borders, alignment,
// number formats, merges, widths, heights, comments and names.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "corpus_files.h"
#include "corpus_required.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/reader.h"
#include "workbook_json.h"

namespace tabrel {
namespace {

using json::Value;
using Kind = xls::OpenError::Kind;

#define SKIP_WITHOUT_CORPUS() TABREL_REQUIRE_CORPUS(corpus::corpus_dir(), TABREL_SHARED_DIR "/corpus")

class Mismatches {
 public:
  void add(const std::string& where, const Value& ours, const Value& theirs) {
    if (list_.size() < kShown) list_.push_back(where + ": ours " + json::write(ours, false) + ", theirs " + json::write(theirs, false));
    ++count_;
  }
  void check(const std::string& where, const Value& ours, const Value& theirs) {
    if (!(ours == theirs)) add(where, ours, theirs);
  }
  size_t count() const { return count_; }
  std::string report() const {
    std::string s;
    for (const auto& line : list_) s += line + "\n";
    return s;
  }

 private:
  static constexpr size_t kShown = 20;
  std::vector<std::string> list_;
  size_t count_ = 0;
};

Value without_formula(const Value& names) {
  json::Array out;
  for (const auto& n : names.as_array()) {
    auto o = n.as_object();
    o.erase("formula");
    out.emplace_back(std::move(o));
  }
  return out;
}

Value sorted(Value v) {
  auto& a = v.as_array();
  std::sort(a.begin(), a.end(), [](const Value& x, const Value& y) { return json::write(x, false) < json::write(y, false); });
  return v;
}

// Our cells name their format by its index in the workbook's "xfs" table; theirs hold it.
const Value& our_xf(const Value& xfs, const Value& cell) {
  static const Value none;
  if (!cell["xf"].is_number()) return none;
  const auto index = static_cast<size_t>(cell["xf"].as_number());
  return index < xfs.as_array().size() ? xfs.as_array()[index] : none;
}

void compare_cell(const std::string& where, const Value& ours, const Value& our_xfs, const Value& theirs, Mismatches& m) {
  std::string type = theirs["type"].as_string();
  if (type == "date") type = "number";
  m.check(where + " type", ours["type"], Value(type));
  m.check(where + " value", ours["value"], theirs["value"]);
  const Value& xf = our_xf(our_xfs, ours);
  for (const auto& [key, value] : theirs["xf"].as_object()) {
    if (key == "font") {
      for (const auto& [fkey, fvalue] : value.as_object()) m.check(where + " font." + fkey, xf["font"][fkey], fvalue);
    } else {
      m.check(where + " " + key, xf[key], value);
    }
  }
}

void compare_sheet(const std::string& where, const Value& ours, const Value& our_xfs, const Value& theirs, Mismatches& m) {
  for (const char* key : {"name", "visibility", "nrows", "ncols", "default_col_width", "columns", "rows", "comments"})
    m.check(where + " " + key, ours[key], theirs[key]);
  m.check(where + " merged", sorted(ours["merged"]), sorted(theirs["merged"]));
  const auto& our_cells = ours["cells"].as_object();
  for (const auto& [address, cell] : theirs["cells"].as_object()) {
    if (cell["type"].as_string() == "empty") continue;
    auto it = our_cells.find(address);
    if (it == our_cells.end()) {
      m.add(where + "!" + address, Value(), cell["type"]);
      continue;
    }
    compare_cell(where + "!" + address, it->second, our_xfs, cell, m);
  }
  for (const auto& [address, cell] : our_cells)
    if (!theirs["cells"].as_object().count(address)) m.add(where + "!" + address, cell["type"], Value());
}

void compare_workbook(const Value& ours, const Value& theirs, Mismatches& m) {
  m.check("datemode", ours["datemode"], theirs["datemode"]);
  m.check("names", without_formula(ours["names"]), without_formula(theirs["names"]));
  std::vector<const Value*> listed;
  for (const auto& s : ours["sheets"].as_array())
    if (s["kind"].as_string() == "worksheet" || s["kind"].as_string() == "dialog") listed.push_back(&s);
  const auto& expected = theirs["sheets"].as_array();
  if (listed.size() != expected.size()) {
    m.add("sheet count", Value(static_cast<int>(listed.size())), Value(static_cast<int>(expected.size())));
    return;
  }
  for (size_t i = 0; i < expected.size(); ++i)
    compare_sheet(expected[i]["name"].as_string(), *listed[i], ours["xfs"], expected[i], m);
}

void expect_agreement(const std::filesystem::path& file, const std::optional<std::u16string>& password) {
  const std::string name = file.filename().string();
  SCOPED_TRACE(name);
  std::unique_ptr<model::Workbook> book;
  try {
    book = xls::read_workbook_file(file, password);
  } catch (const xls::OpenError& e) {
    ADD_FAILURE() << "does not open: " << e.what();
    return;
  }
  const auto expected = corpus::expected_dump(name);
  ASSERT_TRUE(expected.has_value()) << "no expected dump";
  Mismatches m;
  compare_workbook(dump::workbook_json(*book, name), *expected, m);
  EXPECT_EQ(m.count(), 0u) << m.report();
}

TEST(XlsCorpus, ExcelFilesOpenAndAgreeWithTheIndependentReader) {
  SKIP_WITHOUT_CORPUS();
  const auto files = corpus::files_in("excel");
  ASSERT_FALSE(files.empty());
  for (const auto& f : files) expect_agreement(f, std::nullopt);
}

TEST(XlsCorpus, EncryptedFilesOpenWithTheirPasswordAndAgree) {
  SKIP_WITHOUT_CORPUS();
  for (const auto& f : corpus::files_in("encrypted")) {
    const auto password = corpus::password_of(f.filename().string());
    ASSERT_TRUE(password.has_value()) << f.filename() << ": no password listed";
    expect_agreement(f, from_utf8(*password));
  }
}

// Every cell of a shared formula, an array formula or a data table (a PtgExp or PtgTbl token
// naming the cell that holds the definition) finds that definition in its sheet.
TEST(XlsCorpus, FormulaCellsFindTheirSharedArrayOrTableDefinition) {
  SKIP_WITHOUT_CORPUS();
  constexpr uint8_t kPtgExp = 0x01, kPtgTbl = 0x02;
  size_t members = 0;
  for (const auto& f : corpus::files_in("excel")) {
    SCOPED_TRACE(f.filename().string());
    const auto book = xls::read_workbook_file(f);
    for (const auto& sheet : book->sheets) {
      for (const auto& [key, cell] : sheet->cells) {
        if (!cell.formula || cell.formula->tokens.size() != 5) continue;
        const auto& t = cell.formula->tokens;
        if (t[0] != kPtgExp && t[0] != kPtgTbl) continue;
        ++members;
        const uint32_t master = model::CellStore::key({t[1] | (t[2] << 8), t[3] | (t[4] << 8)});
        const bool found = t[0] == kPtgTbl ? sheet->data_tables.count(master) > 0
                                           : sheet->shared_formulas.count(master) + sheet->array_formulas.count(master) > 0;
        EXPECT_TRUE(found) << to_utf8(sheet->name) << "!" << to_utf8(model::a1_address(model::CellStore::position(key)));
      }
    }
  }
  EXPECT_GT(members, 0u);
}

// Files whose drawing containers claim more bytes than the sheet holds still give every object
// its shape: a distinct shape id, an anchor and the shape's bytes, comments included.
TEST(XlsCorpus, OverlongDrawingContainersKeepTheirShapes) {
  SKIP_WITHOUT_CORPUS();
  for (const char* name : {"poi-DrawingAndComments.xls", "poi-37684-1.xls", "poi-39512.xls", "poi-31749.xls",
                           "poi-ContinueRecordProblem.xls"}) {
    SCOPED_TRACE(name);
    const auto book = xls::read_workbook_file(*corpus::corpus_dir() / "excel" / name);
    size_t shapes = 0;
    for (const auto& sheet : book->sheets) {
      std::set<uint32_t> ids;
      for (const auto& obj : sheet->drawings) {
        EXPECT_NE(obj.shape_id, 0u) << to_utf8(sheet->name) << " object " << obj.object_id;
        EXPECT_TRUE(ids.insert(obj.shape_id).second) << "shape id " << obj.shape_id << " twice";
        EXPECT_FALSE(obj.shape_bytes.empty());
        EXPECT_NE(obj.anchor, model::Anchor{});
        ++shapes;
      }
      for (const auto& note : sheet->comments) {
        ASSERT_GE(note.drawing_index, 0);
        EXPECT_NE(sheet->drawings[static_cast<size_t>(note.drawing_index)].shape_id, 0u);
      }
    }
    EXPECT_GT(shapes, 0u);
  }
}

// Conditional formats that the spreadsheet's 2007 and later versions saved in the newer records
// are read as rules: every classic CF rule and every CF12 rule, colour scales, data bars and
// icon sets by their type, each CF12 rule with its priority.
TEST(XlsCorpus, NewerConditionalFormatRulesAreRead) {
  SKIP_WITHOUT_CORPUS();
  struct Case {
    const char* name;
    size_t classic, color_scales, data_bars, icon_sets;
  };
  for (const Case& c : {Case{"poi-NewStyleConditionalFormattings.xls", 3, 2, 1, 13},
                        Case{"sheetjs-openpyxl_conditional_formatting.xls", 14, 10, 3, 3}}) {
    SCOPED_TRACE(c.name);
    const auto book = xls::read_workbook_file(*corpus::corpus_dir() / "excel" / c.name);
    size_t classic = 0, by_type[7] = {};
    for (const auto& sheet : book->sheets) {
      for (const auto& format : sheet->conditional_formats) {
        EXPECT_FALSE(format.ranges.empty());
        for (const auto& rule : format.rules) {
          if (!rule.from_cf12) {
            ++classic;
            continue;
          }
          ASSERT_GE(rule.type, 1);
          ASSERT_LE(rule.type, 6);
          ++by_type[rule.type];
          EXPECT_TRUE(rule.priority.has_value());
        }
      }
    }
    EXPECT_EQ(classic, c.classic);
    EXPECT_EQ(by_type[3], c.color_scales);
    EXPECT_EQ(by_type[4], c.data_bars);
    EXPECT_EQ(by_type[6], c.icon_sets);
  }
}

// A wrong or a missing password is refused, each with its own message, unless the file uses the
// built-in default password, which the reader tries after the given one.
TEST(XlsCorpus, EncryptedFilesRefuseAWrongPassword) {
  SKIP_WITHOUT_CORPUS();
  for (const auto& f : corpus::files_in("encrypted")) {
    SCOPED_TRACE(f.filename().string());
    const bool default_password = corpus::password_of(f.filename().string()) == "VelvetSweatshop";
    const struct {
      std::optional<std::u16string> password;
      Kind kind;
      std::u16string_view message;
    } attempts[] = {{u"wrong password", Kind::WrongPassword, u"암호가 올바르지 않습니다."},
                    {std::nullopt, Kind::PasswordRequired, u"암호로 보호된 통합 문서입니다. 열려면 암호가 필요합니다."}};
    for (const auto& attempt : attempts) {
      if (default_password) {
        EXPECT_NO_THROW(xls::read_workbook_file(f, attempt.password));
        continue;
      }
      try {
        xls::read_workbook_file(f, attempt.password);
        ADD_FAILURE() << "opened without its password";
      } catch (const xls::OpenError& e) {
        EXPECT_EQ(e.kind, attempt.kind) << e.what();
        EXPECT_EQ(e.message, attempt.message);
      }
    }
  }
}

// Damaged files give an error. The corpus notes that a lenient reader may return the cells of
// three of them: intact cells behind damaged drawings, and compound files with inconsistent
// allocation tables that the desktop spreadsheet itself opens; for these opening is allowed.
TEST(XlsCorpus, MalformedFilesGiveAnErrorAndNeverCrash) {
  SKIP_WITHOUT_CORPUS();
  const std::vector<std::string> may_open = {"poi-clusterfuzz-5285517825277952.xls", "sheetjs-phpexcel_bad_cfb_dir.xls",
                                             "xlrd-corrupted_error.xls"};
  const auto files = corpus::files_in("malformed");
  ASSERT_FALSE(files.empty());
  for (const auto& f : files) {
    SCOPED_TRACE(f.filename().string());
    const bool lenient = std::count(may_open.begin(), may_open.end(), f.filename().string()) > 0;
    try {
      xls::read_workbook_file(f);
      EXPECT_TRUE(lenient) << "opened a damaged file";
    } catch (const xls::OpenError& e) {
      EXPECT_NE(e.kind, Kind::NotFound);
      EXPECT_FALSE(e.message.empty());
    }
  }
}

TEST(XlsCorpus, OlderVersionFilesAreRefusedAsSuch) {
  SKIP_WITHOUT_CORPUS();
  for (const auto& f : corpus::files_in("unsupported")) {
    SCOPED_TRACE(f.filename().string());
    try {
      xls::read_workbook_file(f, u"password");
      ADD_FAILURE() << "opened";
    } catch (const xls::OpenError& e) {
      EXPECT_EQ(e.kind, Kind::OldBiffVersion) << e.what();
    }
  }
}

}  // namespace
}  // namespace tabrel
