#include "inspect/format_cells.h"

#include <gtest/gtest.h>

#include <functional>

#include "inspect/fixture.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/phonetics.h"

namespace tabrel::inspect {
namespace {

using testing::at;
using testing::blank_workbook;
using testing::open_blank_pair;
using testing::open_pair;
using testing::put_mixed_text;

using Check = std::u16string (*)(ExcelObjects&, std::u16string_view, std::u16string_view);
using Setup = std::function<void(xl::Range&)>;

struct FormatCase {
  const char* name;
  Check check;
  Setup answer, target;
  const char16_t* expected;
};

Setup font(void (xl::Font::*set)(const Variant&), Variant v) {
  return [set, v](xl::Range& r) {
    r.SetValue(Variant(u"가"));
    (*r.Font().*set)(v);
  };
}
Setup fill(Variant index) {
  return [index](xl::Range& r) { r.Interior()->SetColorIndex(index); };
}
Setup number_format(const char16_t* code) {
  return [code](xl::Range& r) {
    r.SetValue(Variant(1.0));
    r.SetNumberFormatLocal(Variant(code));
  };
}
Setup plain() {
  return [](xl::Range& r) { r.SetValue(Variant(u"가")); };
}

TEST(FormatFamilyTest, EachPropertyAsItsComparisonReadsIt) {
  const FormatCase cases[] = {
      {"same font name", GetWrongFontNameCells, font(&xl::Font::SetName, u"굴림"), font(&xl::Font::SetName, u"굴림"),
       u"0;"},
      {"other font name", GetWrongFontNameCells, font(&xl::Font::SetName, u"굴림"), font(&xl::Font::SetName, u"돋움"),
       u"1;A1;"},
      {"size 11 against 11.5", GetWrongFontSizeCells, font(&xl::Font::SetSize, 11.0), font(&xl::Font::SetSize, 11.5),
       u"1;A1;"},
      {"same size", GetWrongFontSizeCells, font(&xl::Font::SetSize, 14.0), font(&xl::Font::SetSize, 14.0), u"0;"},
      {"bold against plain", GetWrongBoldCells, font(&xl::Font::SetBold, true), plain(), u"1;A1;"},
      {"italic against plain", GetWrongItalicCells, plain(), font(&xl::Font::SetItalic, true), u"1;A1;"},
      {"double against single underline", GetWrongUnderlineCells, font(&xl::Font::SetUnderline, -4119),
       font(&xl::Font::SetUnderline, 2), u"1;A1;"},
      {"red against automatic colour", GetWrongFontColorCells, font(&xl::Font::SetColorIndex, 3), plain(), u"1;A1;"},
      {"same fill", GetWrongFillColorCells, fill(6), fill(6), u"0;"},
      {"no fill against white", GetWrongFillColorCells, plain(), fill(2), u"1;A1;"},
      {"formats apart only by outer blanks", GetWrongNumberFormatCells, number_format(u"0.00 "), number_format(u"0.00"),
       u"0;"},
      {"formats apart by letter case", GetWrongNumberFormatCells, number_format(u"yyyy-mm-dd"),
       number_format(u"YYYY-MM-DD"), u"1;A1;"},
      {"no phonetic guide on either side", GetWrongPhoneticTextCells, plain(), plain(), u"1;A1;"},
      {"no phonetic guide shows alike", GetWrongPhoneticVisibleCells, plain(), plain(), u"0;"},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExcelObjects o = open_blank_pair();
    c.answer(*at(o.AnswerSheet, u"A1"));
    c.target(*at(o.TargetSheet, u"A1"));
    EXPECT_EQ(c.check(o, u"A1", u"A1"), c.expected);
  }
}

TEST(FormatFamilyTest, MixedRunsNeverListACell) {
  auto target = blank_workbook();
  put_mixed_text(*target, {0, 0}, u"AB", 1, [](model::Font& f) { f.weight = 700; });
  put_mixed_text(*target, {1, 0}, u"CD", 1, [](model::Font& f) { f.color = 10; });
  put_mixed_text(*target, {2, 0}, u"EF", 1, [](model::Font& f) { f.name = u"궁서"; });
  ExcelObjects o = open_pair(blank_workbook(), std::move(target));
  for (const char16_t* a : {u"A1", u"A2", u"A3"}) at(o.AnswerSheet, a)->SetValue(Variant(u"AB"));
  EXPECT_EQ(GetWrongBoldCells(o, u"A1", u"A3"), u"0;");
  EXPECT_EQ(GetWrongFontColorCells(o, u"A1", u"A3"), u"0;");
  EXPECT_EQ(GetWrongFontNameCells(o, u"A1", u"A3"), u"0;");
}

// Puts `text` with the phonetic guide `reading` over its first two characters into A1.
void put_guided(model::Workbook& wb, const char16_t* text, const char16_t* reading) {
  auto guide = std::make_shared<model::PhoneticText>();
  guide->text = reading;
  guide->runs = {{0, 0, 2}};
  model::Cell cell;
  cell.value = model::CellValue::rich(model::RichText{text, {}, guide});
  cell.xf = 15;
  wb.sheets[0]->cells.put({0, 0}, cell);
}

TEST(FormatFamilyTest, PhoneticGuidesComparedExactly) {
  struct Case {
    const char* name;
    const char16_t* answer_reading;
    const char16_t* target_reading;
    bool target_shown;
    const char16_t* text;
    const char16_t* visible;
  };
  const Case cases[] = {
      {"same guide", u"かんじ", u"かんじ", false, u"0;", u"0;"},
      {"other guide", u"かんじ", u"かな", false, u"1;A1;", u"0;"},
      {"guide shown only in the target", u"かんじ", u"かんじ", true, u"0;", u"1;A1;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto answer = blank_workbook();
    auto target = blank_workbook();
    put_guided(*answer, u"漢字", c.answer_reading);
    put_guided(*target, u"漢字", c.target_reading);
    ExcelObjects o = open_pair(std::move(answer), std::move(target));
    if (c.target_shown) at(o.TargetSheet, u"A1")->Phonetic()->SetVisible(Variant(true));
    EXPECT_EQ(GetWrongPhoneticTextCells(o, u"A1", u"A1"), c.text);
    EXPECT_EQ(GetWrongPhoneticVisibleCells(o, u"A1", u"A1"), c.visible);
  }
}

TEST(GetWrongCustomFormatCellsTest, PatternInTheTargetThenColoursAgainstTheAnswer) {
  const char16_t* pattern = u"[파랑]\"▲\"#,##0";
  struct Case {
    const char* name;
    const char16_t* target_format;
    const char16_t* pattern;
    int target_font_color;
    const char16_t* expected;
  };
  const Case cases[] = {
      {"pattern among further sections", u"[빨강]\"▼\"#,##0;[파랑]\"▲\"#,##0", pattern, 1, u"0;"},
      {"empty pattern", u"0.00", u"", 1, u"0;"},
      {"pattern missing", u"#,##0", pattern, 1, u"1;A1;"},
      {"font colour differs", u"[파랑]\"▲\"#,##0", pattern, 3, u"1;A1;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExcelObjects o = open_blank_pair();
    at(o.AnswerSheet, u"A1")->SetNumberFormatLocal(Variant(u"0"));  // never read
    at(o.AnswerSheet, u"A1")->Font()->SetColorIndex(Variant(1));
    at(o.TargetSheet, u"A1")->SetNumberFormatLocal(Variant(c.target_format));
    at(o.TargetSheet, u"A1")->Font()->SetColorIndex(Variant(c.target_font_color));
    EXPECT_EQ(GetWrongCustomFormatCells(o, u"A1", u"A1", c.pattern), c.expected);
  }
}

TEST(GetWrongCustomFormatCellsTest, LetterCaseIsIgnoredInThePattern) {
  ExcelObjects o = open_blank_pair();
  at(o.TargetSheet, u"A1")->SetNumberFormatLocal(Variant(u"yyyy\"년\""));
  EXPECT_EQ(GetWrongCustomFormatCells(o, u"A1", u"A1", u"YYYY"), u"0;");
}

}  // namespace
}  // namespace tabrel::inspect
