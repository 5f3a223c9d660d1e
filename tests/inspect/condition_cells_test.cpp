#include "inspect/condition_cells.h"

#include <gtest/gtest.h>

#include "inspect/cell_walk.h"
#include "inspect/fixture.h"
#include "inspect/workbook_parts.h"

namespace tabrel::inspect {
namespace {

using testing::add_format;
using testing::blank_workbook;
using testing::formula_rule;
using testing::kBetween;
using testing::kGreater;
using testing::open_pair;
using testing::Rule;
using testing::value_rule;
using testing::with_bold;

using Member = std::u16string (*)(ExcelObjects&, std::u16string_view, std::u16string_view, int16_t);

struct Placement {
  const char* name;
  const char16_t* first;
  const char16_t* last;
  const char16_t* rule;        // GetWrongCondRuleCells
  const char16_t* font_color;  // GetWrongCondFontColorCells
  const char16_t* count;       // GetWrongCondCountCells
};

TEST(ConditionFamilyTest, TargetFormatPlacedOneCellOff) {
  Rule red_bold = with_bold(value_rule(kGreater, u"80"), true);
  red_bold.color = 10;
  const Placement cases[] = {
      {"same place", u"B3", u"B5", u"0;", u"0;", u"0;"},
      {"one column too far right", u"B3", u"C5", u"3;C3;C4;C5;", u"0;", u"0;"},
      {"one row too far down", u"B3", u"B6", u"1;B6;", u"0;", u"0;"},
      {"one column too far left", u"A3", u"B5", u"3;A3;A4;A5;", u"3;A3;A4;A5;", u"0;"},
      {"one row too far up", u"B2", u"B5", u"0;", u"1;B2;", u"0;"},
      {"one cell short", u"B3", u"B4", u"1;B5;", u"1;B5;", u"1;B5;"},
  };
  for (const Placement& c : cases) {
    SCOPED_TRACE(c.name);
    auto answer = blank_workbook();
    auto target = blank_workbook();
    add_format(*answer, u"B3", u"B5", {red_bold});
    add_format(*target, c.first, c.last, {red_bold});
    ExcelObjects o = open_pair(std::move(answer), std::move(target));
    EXPECT_EQ(GetWrongCondRuleCells(o, u"B3", u"B5", 1), c.rule);
    EXPECT_EQ(GetWrongCondFontColorCells(o, u"B3", u"B5", 1), c.font_color);
    EXPECT_EQ(GetWrongCondCountCells(o, u"B3", u"B5"), c.count);
    EXPECT_EQ(GetWrongCondBoldCells(o, u"B3", u"B5", 1), c.count);
  }
}

TEST(ConditionFamilyTest, RangesAtColumnAAndRowOneAreNotWidenedPastTheSheet) {
  auto answer = blank_workbook();
  auto target = blank_workbook();
  add_format(*answer, u"A1", u"A2", {Rule{}});
  add_format(*target, u"A1", u"A2", {Rule{}});
  ExcelObjects o = open_pair(std::move(answer), std::move(target));
  EXPECT_EQ(GetWrongCondFontColorCells(o, u"A1", u"A2", 1), u"2;A1;A2;");  // colour unset on both sides
  EXPECT_EQ(GetWrongCondRuleCells(o, u"A1", u"A2", 1), u"0;");
  EXPECT_THROW(GetWrongCondRuleCells(o, u"A1", u"Z2", 1), RangeArgumentError);
}

struct RuleCase {
  const char* name;
  Rule answer, target;
  const char16_t* rule;
  const char16_t* bold;
  const char16_t* contains_countif;  // GetWrongConditionalFormatCells with "COUNTIF"
};

TEST(ConditionFamilyTest, ComparedPartsOfTheCondition) {
  const char16_t* countif = u"COUNTIF($B$3:$B$5,B3)>1";
  const RuleCase cases[] = {
      {"same bound", value_rule(kGreater, u"80"), value_rule(kGreater, u"80"), u"0;", u"0;", u"1;B3;"},
      {"other bound", value_rule(kGreater, u"80"), value_rule(kGreater, u"70"), u"1;B3;", u"0;", u"1;B3;"},
      {"other type", value_rule(kGreater, u"80"), formula_rule(u"B3>80"), u"1;B3;", u"0;", u"1;B3;"},
      {"dollar signs in the first formula", formula_rule(u"$B3>80"), formula_rule(u"B3>80"), u"0;", u"0;", u"1;B3;"},
      {"dollar signs in a between rule's second bound", value_rule(kBetween, u"$D$1", u"$D$2"),
       value_rule(kBetween, u"D$1", u"D$2"), u"1;B3;", u"0;", u"1;B3;"},
      {"first formula holds COUNTIF", formula_rule(u"B3>0"), formula_rule(countif), u"1;B3;", u"0;", u"0;"},
      {"bold unset in the target", with_bold(value_rule(kGreater, u"80"), true), value_rule(kGreater, u"80"), u"0;",
       u"0;", u"1;B3;"},
      {"bold off against on", with_bold(value_rule(kGreater, u"80"), true),
       with_bold(value_rule(kGreater, u"80"), false), u"0;", u"1;B3;", u"1;B3;"},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto answer = blank_workbook();
    auto target = blank_workbook();
    add_format(*answer, u"B3", u"B3", {c.answer});
    add_format(*target, u"B3", u"B3", {c.target});
    ExcelObjects o = open_pair(std::move(answer), std::move(target));
    EXPECT_EQ(GetWrongCondRuleCells(o, u"B3", u"B3", 1), c.rule);
    EXPECT_EQ(GetWrongCondBoldCells(o, u"B3", u"B3", 1), c.bold);
    EXPECT_EQ(GetWrongConditionalFormatCells(o, u"B3", u"B3", 1, u"COUNTIF"), c.contains_countif);
  }
}

TEST(ConditionFamilyTest, AConditionNumberPastTheCellsConditionsListsThem) {
  auto answer = blank_workbook();
  auto target = blank_workbook();
  add_format(*answer, u"B3", u"B4", {Rule{}});
  add_format(*target, u"B3", u"B4", {Rule{}});
  ExcelObjects o = open_pair(std::move(answer), std::move(target));
  const Member members[] = {GetWrongCondBoldCells, GetWrongCondItalicCells, GetWrongCondFillColorCells,
                            GetWrongCondRuleCells};
  for (Member m : members) EXPECT_EQ(m(o, u"B3", u"B4", 2), u"2;B3;B4;");
  EXPECT_EQ(GetWrongCondCountCells(o, u"A1", u"C6"), u"0;");
}

}  // namespace
}  // namespace tabrel::inspect
