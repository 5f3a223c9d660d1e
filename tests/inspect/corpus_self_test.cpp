// Real workbooks saved by the spreadsheet, opened as both the answer and the target: every
// comparison finds nothing, and known changes made to the target are found exactly.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "corpus/corpus_required.h"
#include "inspect/alignment_cells.h"
#include "inspect/condition_cells.h"
#include "inspect/fixture.h"
#include "inspect/format_cells.h"
#include "inspect/formula_cells.h"
#include "inspect/sheet_structure.h"
#include "inspect/text_cells.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/core/text.h"

namespace tabrel::inspect {
namespace {

using testing::at;

const std::filesystem::path kExcel = std::filesystem::path(TABREL_SHARED_DIR) / "corpus" / "excel";

// Both instances open `file`; the sheet variables point at its first worksheet.
ExcelObjects open_twice(const std::string& file) {
  ExcelObjects o;
  o.AnswerExcel = xl::Application::New();
  o.TargetExcel = xl::Application::New();
  const std::u16string path = from_utf8((kExcel / file).string());
  o.AnswerExcel->Workbooks()->Open(path);
  o.TargetExcel->Workbooks()->Open(path);
  o.AnswerSheet = o.AnswerExcel->Worksheets(Variant(1));
  o.TargetSheet = o.TargetExcel->Worksheets(Variant(1));
  return o;
}

using Check = std::u16string (*)(ExcelObjects&, std::u16string_view, std::u16string_view);
using ConditionCheck = std::u16string (*)(ExcelObjects&, std::u16string_view, std::u16string_view, int16_t);

class CorpusSelfTest : public ::testing::TestWithParam<const char*> {};

TEST_P(CorpusSelfTest, AWorkbookAgreesWithItselfAndKnownChangesAreFound) {
  TABREL_REQUIRE_CORPUS(std::filesystem::exists(kExcel / GetParam()), kExcel / GetParam());
  ExcelObjects o = open_twice(GetParam());
  EXPECT_FALSE(NormalizeTargetSheets(o, static_cast<int16_t>(o.AnswerExcel->Sheets()->Count()), u""));
  o.AnswerSheet = o.AnswerExcel->Worksheets(Variant(1));
  o.TargetSheet = o.TargetExcel->Worksheets(Variant(1));

  EXPECT_GT(CountAnswerFilledCells(o, u"A1", u"J40"), 0.0f);
  const Check checks[] = {GetWrongFontNameCells,    GetWrongFontSizeCells,     GetWrongBoldCells,
                          GetWrongItalicCells,      GetWrongUnderlineCells,    GetWrongFontColorCells,
                          GetWrongFillColorCells,   GetWrongNumberFormatCells, GetWrongPhoneticVisibleCells,
                          GetWrongHAlignMergeCells, GetWrongVAlignMergeCells,  GetWrongBorderCells,
                          GetWrongCondCountCells};
  for (Check check : checks) EXPECT_EQ(check(o, u"A1", u"J40"), u"0;");
  const ConditionCheck condition_checks[] = {GetWrongCondBoldCells, GetWrongCondItalicCells, GetWrongCondFillColorCells,
                                             GetWrongCondRuleCells};
  for (ConditionCheck check : condition_checks) EXPECT_EQ(check(o, u"A1", u"J40", 1), u"0;");
  EXPECT_EQ(GetWrongTextCells(o, u"A1", u"J40", 0, false), u"0;");
  EXPECT_EQ(GetWrongTextCells(o, u"A1", u"J40", 1, true), u"0;");
  EXPECT_EQ(GetWrongFormulaCells(o, u"A1", u"J40", false), u"0;");
  EXPECT_EQ(GetWrongMergeCells(o, u"A1", u"F12"), u"0;");
  EXPECT_TRUE(IsRangeFullyCorrect(o, u"A1", u"J40"));

  at(o.TargetSheet, u"H45")->SetValue(Variant(u"변경"));
  at(o.TargetSheet, u"I46")->Font()->SetBold(Variant(true));
  at(o.TargetSheet, u"J47")->Interior()->SetColorIndex(Variant(6));
  EXPECT_EQ(GetWrongTextCells(o, u"A41", u"J50", 0, false), u"1;H45;");
  EXPECT_EQ(GetWrongBoldCells(o, u"A41", u"J50"), u"1;I46;");
  EXPECT_EQ(GetWrongFillColorCells(o, u"A41", u"J50"), u"1;J47;");
  EXPECT_FALSE(IsRangeFullyCorrect(o, u"A41", u"J50"));
}

INSTANTIATE_TEST_SUITE_P(Excel, CorpusSelfTest,
                         ::testing::Values("sheetjs-cell_style_simple.xls", "sheetjs-merge_cells.xls",
                                           "sheetjs-comments_stress_test.xls", "poi-WithConditionalFormatting.xls",
                                           "sheetjs-rich_text_stress.xls", "sheetjs-phonetic_text.xls",
                                           "sheetjs-formula_stress_test.xls"));

}  // namespace
}  // namespace tabrel::inspect
