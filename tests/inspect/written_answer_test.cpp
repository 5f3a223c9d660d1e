// An answer workbook formatted through the automation layer, written encrypted by our writer and
// read back as the target, agrees with itself in every check: what the answer files hold
// survives the trip the graders' answer workbooks take.
#include <gtest/gtest.h>

#include "inspect/alignment_cells.h"
#include "inspect/cell_checks.h"
#include "inspect/condition_cells.h"
#include "inspect/fixture.h"
#include "inspect/format_cells.h"
#include "inspect/formula_cells.h"
#include "inspect/sheet_structure.h"
#include "inspect/text_cells.h"
#include "inspect/workbook_parts.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::inspect {
namespace {

using testing::at;

void format_answer(const std::shared_ptr<xl::Worksheet>& sheet) {
  at(sheet, u"A1")->SetValue(Variant(u"★판매 현황★"));
  at(sheet, u"A1:E1")->Merge();
  at(sheet, u"A1:E1")->SetHorizontalAlignment(Variant(-4108));
  auto title = at(sheet, u"A1")->Font();
  title->SetName(Variant(u"궁서"));
  title->SetSize(Variant(16.0));
  title->SetBold(Variant(true));
  title->SetUnderline(Variant(2));
  const char16_t* items[] = {u"사과", u"배", u"감"};
  for (int i = 0; i < 3; ++i) {
    const std::u16string row = std::u16string(1, static_cast<char16_t>(u'3' + i));
    at(sheet, u"A" + row)->SetValue(Variant(items[i]));
    at(sheet, u"B" + row)->SetValue(Variant(1200.0 * (i + 1)));
    at(sheet, u"C" + row)->SetValue(Variant(0.0 + i));
    at(sheet, u"D" + row)->SetFormula(Variant(u"=IF(B" + row + u">2000,\"많음\",\"적음\")"));
  }
  at(sheet, u"B3:B5")->SetNumberFormatLocal(Variant(u"#,##0\"원\""));
  at(sheet, u"A6")->SetValue(Variant(u"총 합계"));
  at(sheet, u"B6")->SetFormula(Variant(u"=SUM(B3:B5)"));
  at(sheet, u"A2:E2")->Interior()->SetColorIndex(Variant(6));
  at(sheet, u"C3:C5")->Font()->SetItalic(Variant(true));
  at(sheet, u"E3")->Font()->SetColorIndex(Variant(3));
  at(sheet, u"E3")->SetValue(Variant(u"비고"));
  for (int index : {7, 8, 9, 10}) {
    auto line = at(sheet, u"A2:E6")->Borders(Variant(index));
    line->SetLineStyle(Variant(1));
    line->SetWeight(Variant(index == 9 ? -4138 : 2));
  }
}

TEST(WrittenAnswerTest, EncryptedAnswerReadBackAgreesInEveryCheck) {
  auto answer_model = testing::blank_workbook({u"기본작업", u"계산작업"});
  testing::add_format(*answer_model, u"B3", u"B5",
                      {testing::with_bold(testing::value_rule(testing::kGreater, u"2000"), true)});
  testing::add_comment(*answer_model, u"홍길동:\n입력 금지", true);
  answer_model->names.push_back(testing::defined_name(*answer_model, u"목표량", u"기본작업!$B$6"));
  ExcelObjects o = testing::open_pair(std::move(answer_model), testing::blank_workbook({u"기본작업"}), u"기본작업");
  format_answer(o.AnswerSheet);

  const auto bytes = xls::write_workbook(o.AnswerExcel->ActiveWorkbook()->model(), {u"1234"});
  o.TargetExcel = xl::Application::New();
  o.TargetExcel->Workbooks()->Adopt(xls::read_workbook(bytes, u"1234"), u"target.xls");
  ASSERT_FALSE(NormalizeTargetSheets(o, 2, u""));
  o.TargetSheet = o.TargetExcel->Sheets(Variant(u"기본작업"));

  using Check = std::u16string (*)(ExcelObjects&, std::u16string_view, std::u16string_view);
  const Check checks[] = {GetWrongFontNameCells,    GetWrongFontSizeCells,     GetWrongBoldCells,
                          GetWrongItalicCells,      GetWrongUnderlineCells,    GetWrongFontColorCells,
                          GetWrongFillColorCells,   GetWrongNumberFormatCells, GetWrongHAlignMergeCells,
                          GetWrongVAlignMergeCells, GetWrongMergeCells,        GetWrongBorderCells,
                          GetWrongCondCountCells};
  for (Check check : checks) EXPECT_EQ(check(o, u"A1", u"F7"), u"0;");
  EXPECT_EQ(GetWrongTextCells(o, u"A1", u"F7", 0, false), u"0;");
  EXPECT_EQ(GetWrongFormulaCells(o, u"A1", u"F7", false), u"0;");
  EXPECT_EQ(GetWrongFunctionCells(o, u"D3", u"D5", u"IF"), u"0;");
  EXPECT_EQ(GetWrongFunctionCells(o, u"B6", u"B6", u"SUM"), u"0;");
  EXPECT_EQ(GetWrongCondRuleCells(o, u"B3", u"B5", 1), u"0;");
  EXPECT_EQ(GetWrongCondBoldCells(o, u"B3", u"B5", 1), u"0;");
  EXPECT_TRUE(IsRangeFullyCorrect(o, u"A1", u"F7"));
  EXPECT_TRUE(IsTextEndsEqual(o, u"A1"));
  EXPECT_TRUE(IsDefinedNameCorrect(o, 1, u"목표량"));
  EXPECT_TRUE(CompareCellComment(o, u"G1"));
  EXPECT_TRUE(CompareCommentVisible(o, u"G1"));
  EXPECT_TRUE(CompareCommentShape(o, u"G1"));
}

}  // namespace
}  // namespace tabrel::inspect
