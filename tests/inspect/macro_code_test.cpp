// Running recorded macros in both instances, and the fix-up of the target's code that drops
// references to other workbooks before the target's macro runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspect/fixture.h"
#include "inspect/macro_code.h"
#include "inspect/macro_runs.h"
#include "spreadsheet/automation/code_module.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/vbe.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/runner.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::inspect {
namespace {

using testing::at;

constexpr int16_t kAnswer = 1;
constexpr int16_t kTarget = 0;

// The recorder's header of a macro recorded in the Korean version, then its body.
std::u16string recorded(std::u16string_view name, std::u16string_view body) {
  std::u16string code = u"Sub " + std::u16string(name) + u"()\r\n'\r\n' " + std::u16string(name) +
                        u" 매크로\r\n' 매크로 기록한 날짜: 2026-12-01, 기록한 사람: 수험자\r\n'\r\n\r\n'\r\n";
  return code + std::u16string(body) + u"End Sub\r\n";
}

// A workbook of sheets "Sheet0" and "Sheet1" with scores in C3:G12 of Sheet1 and the given code
// modules, written by our writer and read back, as a saved examinee's file comes in.
std::unique_ptr<model::Workbook> book_with(const std::vector<std::u16string>& modules) {
  auto wb = testing::blank_workbook({u"Sheet0", u"Sheet1"});
  for (int row = 2; row < 12; ++row)
    for (int col = 2; col < 7; ++col) wb->sheets[1]->cells.at({row, col}).value = model::CellValue::number(10.0 * (row - 1) + col);
  if (!modules.empty()) {
    wb->macro_project.emplace();
    for (size_t i = 0; i < modules.size(); ++i) {
      const std::u16string name = u"Module" + std::u16string(1, static_cast<char16_t>(u'1' + i));
      wb->macro_project->modules.push_back(
          {name, model::MacroModule::Kind::Standard, u"Attribute VB_Name = \"" + name + u"\"\r\n" + modules[i]});
    }
  }
  return xls::read_workbook(xls::write_workbook(*wb));
}

ExcelObjects open_with(const std::vector<std::u16string>& answer, const std::vector<std::u16string>& target) {
  return testing::open_pair(book_with(answer), book_with(target));
}

std::shared_ptr<xl::CodeModule> target_module(ExcelObjects& o, int index) {
  return o.TargetExcel->VBE()->VBProjects()->Item(Variant(1))->VBComponents()->Item(Variant(index))->CodeModule();
}

// The shown code line of the target's module that holds `part`.
std::u16string target_line_with(ExcelObjects& o, int module, std::u16string_view part) {
  auto code = target_module(o, module);
  for (int32_t n = 1; n <= code->CountOfLines(); ++n) {
    std::u16string line = code->Lines(n, 1);
    if (line.find(part) != std::u16string::npos) return line;
  }
  return u"(none)";
}

const std::u16string kAverage = recorded(u"평균",
                                         u"    Range(\"H3\").Select\r\n"
                                         u"    ActiveCell.FormulaR1C1 = \"=AVERAGE(RC[-5]:RC[-1])\"\r\n"
                                         u"    Selection.AutoFill Destination:=Range(\"H3:H12\"), Type:=xlFillDefault\r\n"
                                         u"    Range(\"H3:H12\").Select\r\n");

// The same macro recorded while the cells were picked in another open workbook.
const std::u16string kAverageElsewhere = recorded(
    u"평균",
    u"    Range(\"H3\").Select\r\n"
    u"    ActiveCell.FormulaR1C1 = _\r\n"
    u"        \"=AVERAGE('C:\\Documents and Settings\\수험자\\바탕 화면\\[정답.XLS]Sheet1'!RC[-5]:RC[-1])\"\r\n"
    u"    Selection.AutoFill Destination:=Range(\"H3:H12\"), Type:=xlFillDefault\r\n");

class RunWorkbookMacroTest : public ::testing::Test {
 protected:
  void SetUp() override { macro::install_macro_runner(); }
  void TearDown() override { xl::Application::SetMacroRunner({}); }
};

TEST_F(RunWorkbookMacroTest, RunsInTheChosenInstanceOnTheProblemSheet) {
  struct Case {
    int16_t which;
    bool in_answer, in_target;
  };
  for (const Case c : {Case{kAnswer, true, false}, Case{kTarget, false, true}, Case{2, false, true}}) {
    ExcelObjects o = open_with({kAverage}, {kAverage});
    o.AnswerSheet = o.AnswerExcel->Sheets(Variant(u"Sheet1"));
    o.TargetSheet = o.TargetExcel->Sheets(Variant(u"Sheet1"));
    EXPECT_TRUE(RunWorkbookMacro(o, u"평균", c.which)) << c.which;
    // Sheet0 was active: the run selects the problem sheet first.
    EXPECT_EQ(at(o.AnswerSheet, u"H12")->Text().to_string() == u"104", c.in_answer) << c.which;
    EXPECT_EQ(at(o.TargetSheet, u"H12")->Text().to_string() == u"104", c.in_target) << c.which;
    EXPECT_EQ(at(o.TargetSheet, u"H3")->Text().to_string() == u"14", c.in_target) << c.which;
  }
}

TEST_F(RunWorkbookMacroTest, MissingOrFailingMacroIsFalse) {
  const std::u16string failing = recorded(u"서식", u"    Range(\"H3\").Value = 1\r\n    Range(\"H4\").Value = 1 / 0\r\n");
  ExcelObjects o = open_with({kAverage}, {failing});
  o.AnswerSheet = o.AnswerExcel->Sheets(Variant(u"Sheet1"));
  o.TargetSheet = o.TargetExcel->Sheets(Variant(u"Sheet1"));
  EXPECT_FALSE(RunWorkbookMacro(o, u"서식", kAnswer));
  EXPECT_FALSE(RunWorkbookMacro(o, u"평균", kTarget));
  EXPECT_FALSE(RunWorkbookMacro(o, u"서식", kTarget));
  EXPECT_EQ(at(o.TargetSheet, u"H3")->Value().to_double(), 1);  // what ran before the failure stays
  ExcelObjects without_code = open_with({}, {});
  without_code.AnswerSheet = without_code.AnswerExcel->Sheets(Variant(u"Sheet1"));
  without_code.TargetSheet = without_code.TargetExcel->Sheets(Variant(u"Sheet1"));
  EXPECT_FALSE(RunWorkbookMacro(without_code, u"평균", kTarget));
}

TEST_F(RunWorkbookMacroTest, TargetMacroRunsAfterItsReferencesToOtherWorkbooksAreRemoved) {
  ExcelObjects o = open_with({kAverage}, {kAverageElsewhere});
  o.AnswerSheet = o.AnswerExcel->Sheets(Variant(u"Sheet1"));
  o.TargetSheet = o.TargetExcel->Sheets(Variant(u"Sheet1"));
  ASSERT_TRUE(RunWorkbookMacro(o, u"평균", kTarget));
  EXPECT_EQ(target_line_with(o, 1, u"AVERAGE"), u"        \"=AVERAGE('Sheet1'!RC[-5]:RC[-1])\"");
  EXPECT_EQ(at(o.TargetSheet, u"H12")->Text().to_string(), u"104");
  // A second run finds nothing more to change.
  ASSERT_TRUE(RunWorkbookMacro(o, u"평균", kTarget));
  EXPECT_EQ(target_line_with(o, 1, u"AVERAGE"), u"        \"=AVERAGE('Sheet1'!RC[-5]:RC[-1])\"");
}

// The fix-up line by line: a recorded module whose lines are edited or kept.
TEST(RemoveWorkbookRefsFromMacrosTest, EditsQuotedReferencesOnly) {
  struct Case {
    const char16_t* line;
    const char16_t* after;
  };
  const Case cases[] = {
      // a quoted reference to a sheet of another workbook: the folder and file go
      {u"    Range(\"B3\").Formula = \"='D:\\시험\\[Book1.xls]성적'!B3\"", u"    Range(\"B3\").Formula = \"='성적'!B3\""},
      // letter case is ignored, and every occurrence of the fragment goes
      {u"    x = \"=SUM('c:\\[A.XLS]S'!A1,'c:\\[a.xls]S'!A2)\"", u"    x = \"=SUM('S'!A1,'S'!A2)\""},
      // no apostrophe: written back unchanged
      {u"    Application.Run \"[Book1.xls]Sheet1!Macro2\"", u"    Application.Run \"[Book1.xls]Sheet1!Macro2\""},
      // ".xls" without a bracket is no reference to a sheet
      {u"    Application.Run \"'Book1.xls'!Macro2\"", u"    Application.Run \"'Book1.xls'!Macro2\""},
  };
  for (const Case& c : cases) {
    ExcelObjects o = open_with({}, {recorded(u"Macro1", std::u16string(c.line) + u"\r\n")});
    EXPECT_FALSE(RemoveWorkbookRefsFromMacros(o, u"Macro1", u".xls]"));
    auto code = target_module(o, 1);
    EXPECT_EQ(code->Lines(8, 1), c.after) << to_utf8(c.line);
    EXPECT_EQ(code->Lines(1, 1), u"Sub Macro1()");  // the hidden attribute line does not shift lines
  }
}

TEST(RemoveWorkbookRefsFromMacrosTest, OnlyTheFirstModuleHoldingThePatternIsEdited) {
  const std::u16string ref = u"    x = \"='C:\\[B.xls]S'!A1\"\r\n";
  ExcelObjects o = open_with({}, {recorded(u"Plain", u"    Range(\"A1\").Select\r\n"), recorded(u"First", ref),
                                  recorded(u"Second", ref)});
  EXPECT_FALSE(RemoveWorkbookRefsFromMacros(o, u"", u".xls]"));
  EXPECT_EQ(target_line_with(o, 2, u"x ="), u"    x = \"='S'!A1\"");
  EXPECT_EQ(target_line_with(o, 3, u"x ="), u"    x = \"='C:\\[B.xls]S'!A1\"");
}

TEST(RemoveWorkbookRefsFromMacrosTest, AnApostropheAfterTheReferenceStopsTheEditing) {
  const std::u16string body = u"    a = \"='C:\\[B.xls]S'!A1\"\r\n"
                              u"    b = \"[B.xls]S!A1\" ' picked in B\r\n"
                              u"    c = \"='C:\\[B.xls]S'!A1\"\r\n";
  ExcelObjects o = open_with({}, {recorded(u"Macro1", body)});
  EXPECT_FALSE(RemoveWorkbookRefsFromMacros(o, u"Macro1", u".xls]"));
  EXPECT_EQ(target_line_with(o, 1, u"a ="), u"    a = \"='S'!A1\"");
  EXPECT_EQ(target_line_with(o, 1, u"c ="), u"    c = \"='C:\\[B.xls]S'!A1\"");
}

TEST(RemoveWorkbookRefsFromMacrosTest, SearchedRegionAndPatternList) {
  // The module's last line is searched only up to column 10.
  const std::u16string late = recorded(u"Macro1", u"    Range(\"A1\").Select\r\n") + u"' picked in 'C:\\[B.xls]S'\r\n";
  ExcelObjects o = open_with({}, {late});
  EXPECT_FALSE(RemoveWorkbookRefsFromMacros(o, u"Macro1", u".xls]"));
  EXPECT_EQ(target_line_with(o, 1, u"picked"), u"' picked in 'C:\\[B.xls]S'");

  ExcelObjects without_code = open_with({}, {});
  EXPECT_FALSE(RemoveWorkbookRefsFromMacros(without_code, u"Macro1", u".xls]"));
  EXPECT_TRUE(RemoveWorkbookRefsFromMacros(without_code, u"Macro1", u""));  // an empty list: do not run

  // A line that holds the list but no ".xls" ends the fix-up with "do not run", before the
  // later lines are looked at.
  const std::u16string body = u"    Sheets(\"Sheet1\").Select\r\n    x = \"='C:\\[B.xls]Sheet1'!A1\"\r\n";
  ExcelObjects listed = open_with({}, {recorded(u"Macro1", body)});
  EXPECT_TRUE(RemoveWorkbookRefsFromMacros(listed, u"Macro1", u"sheet1"));
  EXPECT_EQ(target_line_with(listed, 1, u"x ="), u"    x = \"='C:\\[B.xls]Sheet1'!A1\"");
}

}  // namespace
}  // namespace tabrel::inspect
