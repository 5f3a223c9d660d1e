// Workbooks saved by a desktop spreadsheet, opened through Workbooks.Open as the graders do.
#include <gtest/gtest.h>

#include <filesystem>

#include "corpus/corpus_required.h"
#include "fixture.h"
#include "same_variant.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/comment.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/format_conditions.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/phonetics.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

using testing::error_number;

const std::filesystem::path kCorpus = std::filesystem::path(TABREL_SHARED_DIR) / "corpus";

class CorpusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TABREL_REQUIRE_CORPUS(std::filesystem::is_directory(kCorpus), kCorpus);
    app = Application::New();
  }
  void TearDown() override {
    if (app) app->Quit();
  }
  std::shared_ptr<Workbook> open(const std::string& folder, const std::string& name, const Variant& password = {}) {
    return app->Workbooks()->Open((kCorpus / folder / name).u16string(), Variant(false), password);
  }
  std::shared_ptr<Application> app;
};

TEST_F(CorpusTest, MergedAreas) {
  open("excel", "sheetjs-merge_cells.xls");
  struct Case { const char16_t* cell; const char16_t* area; };
  const Case cases[] = {{u"B2", u"$A$1:$B$2"}, {u"C2", u"$C$1:$C$2"}, {u"B3", u"$A$3:$B$3"},
                        {u"D1", u"$D$1:$D$2"}, {u"A4", u"$A$4:$B$4"}, {u"E5", u"$E$5"}};
  for (const auto& c : cases) EXPECT_EQ(app->Range(Variant(c.cell))->MergeArea()->Address(), c.area) << to_utf8(c.cell);
  EXPECT_EQ(app->Range(Variant(u"A1"))->MergeArea()->Count(), 4);
  EXPECT_TRUE(same_variant(app->Range(Variant(u"A1"))->MergeCells(), Variant(true)));
  app->Range(Variant(u"B2"))->Select();
  EXPECT_EQ(app->ActiveCell()->Address(), u"$A$1");
}

TEST_F(CorpusTest, SheetVisibility) {
  open("excel", "sheetjs-sheet_visibility.xls");
  auto sheets = app->Sheets();
  ASSERT_EQ(sheets->Count(), 3);
  const int visible[] = {-1, 0, 2};
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(sheets->Item(Variant(i))->Visible(), visible[i - 1]);
  EXPECT_EQ(error_number([&] { sheets->Item(Variant(u"Hidden"))->Select(); }), 1004);
  sheets->Item(Variant(u"VeryHidden"))->SetVisible(Variant(1));
  app->SetDisplayAlerts(false);
  sheets->Item(Variant(u"VeryHidden"))->Delete();
  EXPECT_EQ(sheets->Count(), 2);
}

TEST_F(CorpusTest, CommentsWithTheirAuthorLine) {
  open("excel", "sheetjs-comments_stress_test.xls");
  auto sheet = app->Sheets(Variant(1));
  EXPECT_EQ(sheet->Name(), u"Sheet2");
  auto a1 = sheet->Range(Variant(u"A1"))->Comment();
  ASSERT_NE(a1, nullptr);
  EXPECT_EQ(a1->Text(), u"Author:\nGod thinks this is good");
  EXPECT_FALSE(a1->Visible());
  EXPECT_EQ(a1->Shape()->AutoShapeType(), 1);
  EXPECT_TRUE(sheet->Range(Variant(u"B3"))->Comment()->Visible());
  EXPECT_EQ(sheet->Range(Variant(u"F9"))->Comment(), nullptr);
}

TEST_F(CorpusTest, FillsFontsAndDisplayedText) {
  open("excel", "sheetjs-cell_style_simple.xls");
  struct Case { const char16_t* cell; int fill; };
  // Patterned fills: the cell's colour is the pattern's background, the lines its foreground.
  const Case cases[] = {{u"A1", 22}, {u"A2", 15}, {u"A3", 1}, {u"B3", 12}, {u"C3", -4142}};
  for (const auto& c : cases)
    EXPECT_TRUE(same_variant(app->Range(Variant(c.cell))->Interior()->ColorIndex(), Variant(c.fill))) << to_utf8(c.cell);
  EXPECT_TRUE(same_variant(app->Range(Variant(u"A1"))->Interior()->PatternColorIndex(), Variant(46)));
  EXPECT_TRUE(same_variant(app->Range(Variant(u"A1"))->Font()->ColorIndex(), Variant(1)));
  EXPECT_TRUE(same_variant(app->Range(Variant(u"D9"))->Text(), Variant(u"12")));
  EXPECT_TRUE(same_variant(app->Range(Variant(u"D9"))->Value(), Variant(12.0)));
}

TEST_F(CorpusTest, ConditionalFormats) {
  open("excel", "sheetjs-openpyxl_conditional_formatting.xls");
  auto rule = [&](const char16_t* cell) { return app->Range(Variant(cell))->FormatConditions()->Item(Variant(1)); };
  EXPECT_EQ(app->Range(Variant(u"Q4"))->FormatConditions()->Count(), 1);
  EXPECT_EQ(app->Range(Variant(u"Q11"))->FormatConditions()->Count(), 0);
  EXPECT_EQ(rule(u"Q1")->Type(), 9);  // a formula rule that a CFEX marks as "text contains"
  EXPECT_EQ(rule(u"R1")->Type(), 1);
  EXPECT_EQ(rule(u"R1")->Operator(), 1);
  EXPECT_NO_THROW(rule(u"R1")->Formula2());
  struct Case { const char16_t* cell; Variant fill; Variant bold; };
  const Case cases[] = {
      {u"Q1", Variant(38), Variant::null()},  {u"W1", Variant(49), Variant::null()},
      {u"Y1", Variant(42), Variant(true)},    {u"AB1", Variant(-4142), Variant::null()},
      {u"AC1", Variant(38), Variant(false)},  {u"V1", Variant::null(), Variant::null()},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(same_variant(rule(c.cell)->Interior()->ColorIndex(), c.fill)) << to_utf8(c.cell);
    EXPECT_TRUE(same_variant(rule(c.cell)->Font()->Bold(), c.bold)) << to_utf8(c.cell);
  }
}

TEST_F(CorpusTest, PhoneticGuides) {
  open("excel", "sheetjs-phonetic_text.xls");
  auto guides = app->Range(Variant(u"A1"))->Phonetics();
  ASSERT_GE(guides->Count(), 1);
  EXPECT_FALSE(guides->Item(Variant(1))->Text().empty());
}

TEST_F(CorpusTest, EncryptedWorkbooksOpenWithTheirPassword) {
  struct Case { const char* file; const char16_t* password; };
  const Case cases[] = {{"sheetjs-password_2002_40_xor.xls", u"password"},
                        {"poi-password.xls", u"password"},
                        {"sheetjs-password_2002_128_strong.xls", u"password"},
                        {"msoffcrypto-rc4cryptoapi_password.xls", u"Password1234_"}};
  for (const auto& c : cases) {
    auto other = Application::New();
    EXPECT_EQ(error_number([&] {
                other->Workbooks()->Open((kCorpus / "encrypted" / c.file).u16string(), Variant(false), Variant(u"wrong"));
              }),
              1004)
        << c.file;
    EXPECT_EQ(other->Workbooks()->Count(), 0);
    try {
      other->Workbooks()->Open((kCorpus / "encrypted" / c.file).u16string());
      ADD_FAILURE() << c.file << " opened without its password";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.description(), u"암호로 보호된 통합 문서입니다. 열려면 암호가 필요합니다.") << c.file;
    }
    auto book = other->Workbooks()->Open((kCorpus / "encrypted" / c.file).u16string(), Variant(false), Variant(c.password));
    EXPECT_GE(book->Sheets()->Count(), 1) << c.file;
    other->Quit();
  }
  open("encrypted", "sheetjs-password_2002_40_xor.xls", Variant(u"password"));
  EXPECT_TRUE(same_variant(app->Range(Variant(u"A1"))->Value(), Variant(1.0)));
}

TEST_F(CorpusTest, DamagedFilesRaiseAndNeverCrash) {
  const auto folder = kCorpus / "malformed";
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    auto other = Application::New();
    try {
      other->Workbooks()->Open(entry.path().u16string());
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.number(), 1004) << entry.path();
      EXPECT_FALSE(e.description().empty()) << entry.path();
    }
    other->Quit();
  }
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus / "unsupported")) {
    auto other = Application::New();
    EXPECT_EQ(error_number([&] { other->Workbooks()->Open(entry.path().u16string()); }), 1004) << entry.path();
  }
}

}  // namespace
}  // namespace tabrel::xl
