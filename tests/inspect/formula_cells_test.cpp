#include "inspect/formula_cells.h"

#include <gtest/gtest.h>

#include "inspect/fixture.h"

namespace tabrel::inspect {
namespace {

using testing::active_address;
using testing::at;
using testing::blank_workbook;
using testing::open_blank_pair;
using testing::open_pair;

// Data in A1:A3 of both sheets; the answer's B1 holds `answer`, the target's B1 `target`
// (formulas when they begin with "=", else constants; nullptr leaves the cell empty).
ExcelObjects with_b1(const char16_t* answer, const char16_t* target) {
  ExcelObjects o = open_blank_pair();
  for (auto& sheet : {o.AnswerSheet, o.TargetSheet}) {
    at(sheet, u"A1")->SetValue(Variant(1.0));
    at(sheet, u"A2")->SetValue(Variant(2.0));
    at(sheet, u"A3")->SetValue(Variant(3.0));
  }
  if (answer) at(o.AnswerSheet, u"B1")->SetFormula(Variant(answer));
  if (target) at(o.TargetSheet, u"B1")->SetFormula(Variant(target));
  return o;
}

struct FunctionCase {
  const char* name;
  const char16_t* answer;
  const char16_t* target;
  const char16_t* functions;
  const char16_t* every;  // GetWrongFunctionCells
  const char16_t* any;    // GetWrongAnyFunctionCells
};

TEST(FunctionChecksTest, TokensSoughtInTheTargetFormula) {
  const char16_t* countif = u"=COUNTIF(A1:A3,\">1\")";
  const FunctionCase cases[] = {
      {"IF found inside COUNTIF", countif, countif, u"IF;COUNTIF", u"0;", u"0;"},
      {"ampersand required", countif, countif, u"COUNTIF;&", u"1;B1;", u"0;"},
      {"ampersand present", countif, u"=COUNTIF(A1:A3,\">\"&1)", u"COUNTIF;&", u"0;", u"0;"},
      {"a digit anywhere", u"=SUM(A1:A3)*2", u"=2*SUM(A1:A3)", u"SUM;2", u"0;", u"0;"},
      {"two functions left out, listed once", u"=ROUND(AVERAGE(A1:A3),0)", u"=2", u"ROUND;AVERAGE", u"1;B1;", u"1;B1;"},
      {"another result", u"=SUM(A1:A3)", u"=SUM(A1:A2)", u"SUM", u"1;B1;", u"1;B1;"},
      {"a constant is no formula", u"6", u"6", u"SUM", u"1;B1;", u"1;B1;"},
      {"both empty", nullptr, nullptr, u"SUM", u"1;B1;", u"1;B1;"},
      {"empty answer, filled target", nullptr, u"=SUM(A1:A3)", u"SUM", u"1;B1;", u"1;B1;"},
      {"empty list: formula and result only", u"=SUM(A1:A3)", u"=A1+A2+A3", u"", u"0;", u"1;B1;"},
      {"letter case of a literal", u"=IF(A1=1,\"sum(\",\"\")", u"=IF(A1=1,\"sum(\",\"\")", u"sum", u"0;", u"1;B1;"},
  };
  for (const FunctionCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExcelObjects o = with_b1(c.answer, c.target);
    EXPECT_EQ(GetWrongFunctionCells(o, u"B1", u"B1", c.functions), c.every);
    EXPECT_EQ(GetWrongAnyFunctionCells(o, u"B1", u"B1", c.functions), c.any);
  }
}

TEST(FunctionChecksTest, DisplayedTextDecidesTheResult) {
  ExcelObjects o = with_b1(u"=SUM(A1:A3)*1000", u"=SUM(A1:A3)*1000");
  at(o.TargetSheet, u"B1")->SetNumberFormatLocal(Variant(u"#,##0"));
  EXPECT_EQ(GetWrongFunctionCells(o, u"B1", u"B1", u"SUM"), u"1;B1;");
  at(o.TargetSheet, u"B1")->SetNumberFormatLocal(Variant(u"G/표준"));
  at(o.TargetSheet, u"B1")->SetColumnWidth(Variant(1.0));
  EXPECT_EQ(GetWrongAnyFunctionCells(o, u"B1", u"B1", u"SUM"), u"1;B1;");
}

TEST(FunctionChecksTest, OnlyTheEveryFunctionCheckRaises) {
  ExcelObjects o = with_b1(u"=SUM(A1:A3)", u"=SUM(A1:A3)");
  o.TargetExcel->Quit();
  EXPECT_THROW(GetWrongFunctionCells(o, u"B1", u"B1", u"SUM"), AutomationError);
  EXPECT_EQ(GetWrongAnyFunctionCells(o, u"B1", u"B1", u"SUM"), u"1;B1;");
  EXPECT_EQ(GetWrongFormulaCells(o, u"B1", u"B1", false), u"1;B1;");
  EXPECT_FALSE(IsTargetRangeEmpty(o, u"B1", u"B1"));
}

TEST(GetWrongFormulaCellsTest, FormulasOnlyOnTheFirstSheet) {
  struct Case {
    const char* name;
    const char16_t* answer;
    const char16_t* target;
    const char16_t* on_first;
    const char16_t* on_second;
  };
  const Case cases[] = {
      {"same value, other formula", u"=A1*2", u"=2*A1", u"1;B1;", u"0;"},
      {"same formula", u"=A1*2", u"=A1*2", u"0;", u"0;"},
      {"constants", u"10", u"11", u"1;B1;", u"1;B1;"},
      {"grand total spelled apart", u"총합계", u"총 합계", u"0;", u"0;"},
      {"outer blanks", u"합계", u" 합계 ", u"0;", u"0;"},
      {"both empty", nullptr, nullptr, u"0;", u"0;"},
  };
  for (const Case& c : cases) {
    for (const char16_t* sheet : {u"First", u"Second"}) {
      SCOPED_TRACE(std::string(c.name) + (sheet[0] == u'F' ? " on the first sheet" : " on the second sheet"));
      ExcelObjects o = open_pair(blank_workbook({u"First", u"Second"}), blank_workbook({u"First", u"Second"}), sheet);
      if (c.answer) at(o.AnswerSheet, u"B1")->SetFormula(Variant(c.answer));
      if (c.target) at(o.TargetSheet, u"B1")->SetFormula(Variant(c.target));
      EXPECT_EQ(GetWrongFormulaCells(o, u"B1", u"B1", false), sheet[0] == u'F' ? c.on_first : c.on_second);
    }
  }
}

TEST(IsTargetRangeEmptyTest, SpacesAndEmptyResultsCountAsEmpty) {
  ExcelObjects o = open_blank_pair();
  at(o.TargetSheet, u"A1")->SetValue(Variant(u"   "));
  at(o.TargetSheet, u"A2")->SetFormula(Variant(u"=\"\""));
  at(o.AnswerSheet, u"A3")->SetValue(Variant(u"answer cells are not read"));
  EXPECT_TRUE(IsTargetRangeEmpty(o, u"A1", u"B3"));
  at(o.TargetSheet, u"A2")->SetFormula(Variant(u"=\"x\""));
  EXPECT_FALSE(IsTargetRangeEmpty(o, u"A1", u"B3"));
  EXPECT_EQ(active_address(o.TargetExcel), u"$A$2");  // the rest of the range is not visited
}

}  // namespace
}  // namespace tabrel::inspect
