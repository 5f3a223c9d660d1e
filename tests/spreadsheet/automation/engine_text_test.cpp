// Texts that come from the formula, number-format and layout engines, seen through Range.
#include <gtest/gtest.h>

#include "fixture.h"
#include "same_variant.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/format_conditions.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/numfmt/builtin_formats.h"

namespace tabrel::xl {
namespace {

using testing::add_xf;
using testing::error_number;
using testing::open_in_new_instance;
using testing::sample_workbook;

TEST(EngineTextTest, DisplayedTextFollowsFormatAndWidth) {
  auto wb = sample_workbook();
  const uint16_t id = wb->styles.intern_format(u"#,##0");
  const uint16_t comma = add_xf(*wb, [&](model::Xf& x) { x.format = id; });
  auto& cells = wb->sheets[0]->cells;
  cells.put({0, 0}, model::Cell{model::CellValue::number(1234.5), comma, nullptr});
  cells.put({0, 1}, model::Cell{model::CellValue::number(1234567890123.0), comma, nullptr});
  cells.put({0, 2}, model::Cell{model::CellValue::text(u"총 합계"), 15, nullptr});
  auto o = open_in_new_instance(std::move(wb));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"A1"))->Text(), Variant(u"1,235")));
  EXPECT_EQ(o.app->Range(Variant(u"B1"))->Text().str().find_first_not_of(u'#'), std::u16string::npos);
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"C1"))->Text(), Variant(u"총 합계")));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"D1"))->Text(), Variant(u"")));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"A1"))->NumberFormat(), Variant(u"#,##0")));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"C1"))->NumberFormatLocal(), Variant(u"G/표준")));
  auto c1 = o.app->Range(Variant(u"C1"));
  c1->SetNumberFormatLocal(Variant(u"[빨강]0.00"));
  EXPECT_TRUE(same_variant(c1->NumberFormat(), Variant(u"[Red]0.00")));
  EXPECT_TRUE(same_variant(c1->NumberFormatLocal(), Variant(u"[빨강]0.00")));
}

TEST(EngineTextTest, FormulasEnteredAndPrinted) {
  auto o = open_in_new_instance(sample_workbook());
  o.app->Range(Variant(u"A1"))->SetValue(Variant(21.0));
  auto b1 = o.app->Range(Variant(u"B1"));
  b1->SetFormula(Variant(u"=A1*2"));
  EXPECT_TRUE(same_variant(b1->Formula(), Variant(u"=A1*2")));
  EXPECT_TRUE(same_variant(b1->FormulaR1C1(), Variant(u"=RC[-1]*2")));
  EXPECT_TRUE(same_variant(b1->Value(), Variant(42.0)));
  EXPECT_TRUE(same_variant(b1->HasFormula(), Variant(true)));
  o.app->Range(Variant(u"A1"))->SetValue(Variant(1.0));
  EXPECT_TRUE(same_variant(b1->Value(), Variant(2.0)));  // recalculated when read
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"A1"))->Formula(), Variant(u"1")));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"C1"))->Formula(), Variant(u"")));
  EXPECT_EQ(error_number([&] { b1->SetFormula(Variant(u"=SUM(")); }), 1004);
}

// TEXT in a formula renders through the number-format module, as a cell with that format shows
// its value (Korean day and AM/PM names included).
TEST(EngineTextTest, TextFunctionRendersTheNumberFormat) {
  auto o = open_in_new_instance(sample_workbook());
  o.app->Range(Variant(u"A1"))->SetValue(Variant(1234.5));
  const struct {
    const char16_t* formula;
    const char16_t* shown;
  } cases[] = {
      {u"=TEXT(1.5,\"0.00\")", u"1.50"},        {u"=TEXT(A1,\"#,##0\")", u"1,235"},
      {u"=TEXT(-A1,\"0.0;(0.0)\")", u"(1234.5)"}, {u"=TEXT(0.257,\"0%\")", u"26%"},
      {u"=TEXT(45366,\"yyyy-mm-dd\")", u"2024-03-15"}, {u"=TEXT(45366,\"aaaa\")", u"금요일"},
      {u"=TEXT(0.75,\"[$-412]AM/PM h:mm\")", u"오후 6:00"}, {u"=TEXT(\"12\",\"000\")", u"012"},
      {u"=TEXT(\"abc\",\"0.00\")", u"abc"},
  };
  auto b1 = o.app->Range(Variant(u"B1"));
  for (const auto& c : cases) {
    b1->SetFormula(Variant(c.formula));
    EXPECT_TRUE(same_variant(b1->Value(), Variant(c.shown))) << to_utf8(c.formula);
  }
}

TEST(EngineTextTest, ConditionFormulasAreSeenFromTheActiveCell) {
  auto wb = sample_workbook();
  model::CondFormat cf;
  cf.ranges = {{{2, 1}, {9, 1}}};  // B3:B10
  model::CondRule rule;
  rule.type = 2;
  rule.formula1 = {0x2C, 0x00, 0x00, 0x00, 0xC0};  // PtgRefN: the cell itself, relative row and column
  cf.rules = {rule};
  wb->sheets[0]->conditional_formats.push_back(cf);
  auto o = open_in_new_instance(std::move(wb));
  o.app->Range(Variant(u"B5"))->Select();
  EXPECT_EQ(o.app->ActiveCell()->FormatConditions()->Item(Variant(1))->Formula1(), u"=B5");
}

TEST(EngineTextTest, AddingConditionsAsARecordedMacroDoes) {
  auto o = open_in_new_instance(sample_workbook());
  auto range = o.app->Range(Variant(u"B3:B10"));
  range->Select();  // active cell B3
  auto conditions = range->FormatConditions();
  auto greater = conditions->Add(Variant(1), Variant(5), Variant(u"=80"));
  greater->Font()->SetBold(Variant(true));
  greater->Interior()->SetColorIndex(Variant(6));
  auto formula = conditions->Add(Variant(2), Variant(), Variant(u"=B3>$C$1"));
  conditions->Add(Variant(1), Variant(1), Variant(u"1"), Variant(u"9"));
  EXPECT_EQ(error_number([&] { conditions->Add(Variant(2), Variant(), Variant(u"=TRUE")); }), 1004);

  o.app->Range(Variant(u"B6"))->Activate();
  auto b6 = o.app->ActiveCell()->FormatConditions();
  ASSERT_EQ(b6->Count(), 3);
  EXPECT_EQ(b6->Item(Variant(1))->Operator(), 5);
  EXPECT_EQ(b6->Item(Variant(1))->Formula1(), u"=80");
  EXPECT_TRUE(same_variant(b6->Item(Variant(1))->Font()->Bold(), Variant(true)));
  EXPECT_TRUE(b6->Item(Variant(1))->Font()->Italic().is_null());
  EXPECT_TRUE(same_variant(b6->Item(Variant(1))->Interior()->ColorIndex(), Variant(6)));
  EXPECT_EQ(b6->Item(Variant(2))->Formula1(), u"=B6>$C$1");  // seen from the active cell
  EXPECT_EQ(b6->Item(Variant(3))->Formula2(), u"=9");
  EXPECT_EQ(o.app->Range(Variant(u"C3"))->FormatConditions()->Count(), 0);
  range->FormatConditions()->Delete();
  EXPECT_EQ(b6->Count(), 0);
}

TEST(EngineTextTest, CopyAndAutoFillMoveRelativeReferences) {
  auto wb = sample_workbook();
  const uint16_t bold_font = testing::add_font(*wb, [](model::Font& f) { f.weight = 700; });
  const uint16_t bold = add_xf(*wb, [&](model::Xf& x) { x.font = bold_font; });
  auto& cells = wb->sheets[0]->cells;
  for (int r = 2; r < 6; ++r)
    for (int c = 1; c < 4; ++c) cells.put({r, c}, model::Cell{model::CellValue::number(r + c), 15, nullptr});
  cells.put({0, 0}, model::Cell{model::CellValue::text(u"제목"), bold, nullptr});
  auto o = open_in_new_instance(std::move(wb));
  auto e3 = o.app->Range(Variant(u"E3"));
  e3->SetFormula(Variant(u"=SUM(B3:D3)"));
  e3->AutoFill(Variant(std::static_pointer_cast<Dispatch>(o.app->Range(Variant(u"E3:E6")))));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"E5"))->Formula(), Variant(u"=SUM(B5:D5)")));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"E5"))->Value(), Variant(18.0)));
  EXPECT_EQ(error_number([&] { e3->AutoFill(Variant(std::static_pointer_cast<Dispatch>(o.app->Range(Variant(u"E1:E2"))))); }),
            1004);

  o.app->Range(Variant(u"A1"))->Copy(Variant(std::static_pointer_cast<Dispatch>(o.app->Range(Variant(u"G2:H3")))));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"H3"))->Value(), Variant(u"제목")));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"H3"))->Font()->Bold(), Variant(true)));
  o.app->Range(Variant(u"E3:E4"))->Copy(Variant(std::static_pointer_cast<Dispatch>(o.app->Range(Variant(u"F9")))));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"F10"))->Formula(), Variant(u"=SUM(C10:E10)")));
}

TEST(EngineTextTest, ClipboardCopyAndPasteAsARecordedMacroDoes) {
  auto o = open_in_new_instance(sample_workbook());
  auto data = o.app->ActiveSheet();
  data->Range(Variant(u"A1"))->SetValue(Variant(2.0));
  data->Range(Variant(u"B1"))->SetFormula(Variant(u"=A1*10"));
  data->Range(Variant(u"B1"))->Font()->SetBold(Variant(true));
  data->Range(Variant(u"B:B"))->SetColumnWidth(Variant(15.0));
  EXPECT_EQ(error_number([&] { data->Paste(); }), 1004);  // nothing copied yet

  data->Range(Variant(u"A1:B1"))->Copy();
  data->Range(Variant(u"A3"))->Select();
  data->Paste();
  EXPECT_TRUE(same_variant(data->Range(Variant(u"B3"))->Formula(), Variant(u"=A3*10")));
  EXPECT_TRUE(same_variant(data->Range(Variant(u"B3"))->Value(), Variant(20.0)));

  auto form = o.app->Sheets(Variant(u"Form"));
  form->Range(Variant(u"C5"))->PasteSpecial(Variant(-4163));  // values only, across sheets
  EXPECT_TRUE(same_variant(form->Range(Variant(u"D5"))->Value(), Variant(20.0)));
  EXPECT_TRUE(same_variant(form->Range(Variant(u"D5"))->HasFormula(), Variant(false)));
  EXPECT_TRUE(same_variant(form->Range(Variant(u"D5"))->Font()->Bold(), Variant(false)));
  form->Range(Variant(u"C7"))->PasteSpecial(Variant(-4122));  // formats only
  EXPECT_TRUE(same_variant(form->Range(Variant(u"D7"))->Font()->Bold(), Variant(true)));
  EXPECT_TRUE(form->Range(Variant(u"D7"))->Value().is_empty());
  form->Range(Variant(u"C1"))->PasteSpecial(Variant(8));  // column widths
  EXPECT_TRUE(same_variant(form->Range(Variant(u"D1"))->ColumnWidth(), Variant(15.0)));
  o.app->SetCutCopyMode(Variant(false));
  EXPECT_EQ(error_number([&] { form->Range(Variant(u"A9"))->PasteSpecial(); }), 1004);
}

TEST(EngineTextTest, CellStylesByEnglishOrKoreanName) {
  auto wb = sample_workbook();
  model::Xf comma0;
  comma0.is_style = true;
  comma0.format = 41;
  wb->styles.xfs.push_back(comma0);
  model::Style normal, comma;
  normal.builtin = comma.builtin = true;
  comma.builtin_id = 6;
  comma.xf = static_cast<uint16_t>(wb->styles.xfs.size() - 1);
  wb->styles.styles = {normal, comma};
  auto o = open_in_new_instance(std::move(wb));
  auto b2 = o.app->Range(Variant(u"B2:C2"));
  EXPECT_TRUE(same_variant(b2->Style(), Variant(u"Normal")));
  b2->SetStyle(Variant(u"쉼표 [0]"));
  EXPECT_TRUE(same_variant(b2->Style(), Variant(u"Comma [0]")));
  EXPECT_EQ(o.app->Range(Variant(u"B2"))->NumberFormat().str(), std::u16string(*numfmt::builtin_format_code(41)));
  EXPECT_EQ(error_number([&] { b2->SetStyle(Variant(u"없는 스타일")); }), 1004);
}

TEST(EngineTextTest, NamesDefinedAndPrinted) {
  auto o = open_in_new_instance(sample_workbook());
  auto names = o.book->Names();
  names->Add(u"수당합계", u"=Data!$B$3:$B$10");
  names->Add(u"기본상여율", u"=Form!R2C3", true);
  ASSERT_EQ(names->Count(), 2);
  EXPECT_EQ(names->Item(Variant(1))->Name(), u"기본상여율");  // alphabetical
  EXPECT_EQ(names->Item(Variant(u"수당합계"))->RefersToR1C1(), u"=Data!R3C2:R10C2");
  EXPECT_EQ(names->Item(Variant(u"기본상여율"))->RefersTo(), u"=Form!$C$2");
  names->Add(u"수당합계", u"=Data!$C$3");
  EXPECT_EQ(names->Count(), 2);
  EXPECT_EQ(names->Item(Variant(u"수당합계"))->RefersTo(), u"=Data!$C$3");
  for (const char16_t* bad : {u"", u"A1", u"합 계", u"1st", u"r", u"IV65536"})
    EXPECT_EQ(error_number([&] { names->Add(bad, u"=Data!$A$1"); }), 1004) << to_utf8(bad);
  EXPECT_EQ(error_number([&] { names->Add(u"x", u"=Data!$A$1+"); }), 1004);
}

TEST(EngineTextTest, ColumnWidthsInCharacters) {
  auto o = open_in_new_instance(sample_workbook());
  auto b = o.app->Range(Variant(u"B1"));
  EXPECT_TRUE(same_variant(b->ColumnWidth(), Variant(8.43)));
  b->SetColumnWidth(Variant(20.0));
  EXPECT_TRUE(same_variant(b->ColumnWidth(), Variant(20.0)));
  EXPECT_TRUE(o.app->Range(Variant(u"A1:B1"))->ColumnWidth().is_null());
  o.app->Range(Variant(u"B:B"))->SetHidden(Variant(true));
  EXPECT_TRUE(same_variant(b->ColumnWidth(), Variant(0.0)));
}

}  // namespace
}  // namespace tabrel::xl
