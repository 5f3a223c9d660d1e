// Problem 4 of the basic papers: the two macros with their buttons, graded against the answer
// workbook's own macros and buttons, and targets with one fault each. The chart rows wait for
// the answer workbooks' charts: until then the papers grade the macro block alone here.

#include <gtest/gtest.h>

#include <map>

#include "papers/basic/basic_papers.h"
#include "papers/paper_fixture.h"
#include "shell/core/paper_graders.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/code_module.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::papers::testing {
namespace {

// The paper with problem 4 graded, with or without its chart step (the dispatch keeps a
// reference to it).
const Paper& WithProblem4(Paper (*make)(), bool chart) {
  static std::map<std::pair<Paper (*)(), bool>, Paper> papers;
  auto [it, added] = papers.try_emplace({make, chart}, make());
  if (added) {
    it->second.grades_problem4 = true;
    if (!chart) it->second.problems[3].resize(1);
  }
  return it->second;
}

std::shared_ptr<xl::Shape> button(xl::Workbook& b, int index) {
  return b.Worksheets(Variant(u"기타작업"))->Shapes()->Item(Variant(index));
}


struct Fault {
  const char* name;
  Change change;
  std::vector<Row> rows;
  const char16_t* obtained;
};

class Problem4Test : public PaperTest {
 protected:
  Problem4Test(const Paper& paper, std::u16string file, std::u16string password, int item)
      : PaperTest(std::move(file), std::move(password), 1, item, {{paper.paper_name, shell::GraderFor(paper)}}) {}

  void ExpectNoChartRow() {
    Grade(AnswerFile());
    EXPECT_EQ(Rows(), (std::vector<Row>{{u"기타작업", u"-10.00", u"차트가 존재하지 않습니다"}}));
    EXPECT_EQ(Obtained(4), u"10.00");
  }

  void ExpectRows(const std::vector<Fault>& faults) {
    Grade(AnswerFile());
    ASSERT_EQ(shell.LastOutcome(), shell::RequestOutcome::Graded) << to_utf8(shell.LastErrorDescription());
    EXPECT_EQ(Rows(), std::vector<Row>{});
    EXPECT_EQ(Obtained(4), u"20.00");
    EXPECT_EQ(Total(), u"100.00");
    for (const Fault& fault : faults) {
      SCOPED_TRACE(fault.name);
      Grade(MakeTarget(fault.change));
      ASSERT_EQ(shell.LastOutcome(), shell::RequestOutcome::Graded) << to_utf8(shell.LastErrorDescription());
      EXPECT_EQ(Rows(), fault.rows);
      EXPECT_EQ(Obtained(4), fault.obtained);
      EXPECT_EQ(Obtained(3), u"20.00");
    }
  }
};

class Basic01WholeProblem4Test : public Problem4Test {
 protected:
  Basic01WholeProblem4Test() : Problem4Test(WithProblem4(Basic01, true), u"2급기초다지기01회", u"5862#9", 0) {}
};

class Basic02WholeProblem4Test : public Problem4Test {
 protected:
  Basic02WholeProblem4Test() : Problem4Test(WithProblem4(Basic02, true), u"2급기초다지기02회", u"8215&3", 1) {}
};

class Basic01Problem4Test : public Problem4Test {
 protected:
  Basic01Problem4Test() : Problem4Test(WithProblem4(Basic01, false), u"2급기초다지기01회", u"5862#9", 0) {}
};

class Basic02Problem4Test : public Problem4Test {
 protected:
  Basic02Problem4Test() : Problem4Test(WithProblem4(Basic02, false), u"2급기초다지기02회", u"8215&3", 1) {}
};

TEST_F(Basic01Problem4Test, MacroFaultsGiveTheirRows) {
  const std::u16string sheet = u"기타작업";
  ExpectRows({
      {"first button missing", [](xl::Workbook& b) { button(b, 1)->Delete(); },
       {{sheet, u"-5.00", u"매크로 버튼이 존재하지 않습니다"}}, u"15.00"},
      {"second button missing: the run's text", [](xl::Workbook& b) { button(b, 2)->Delete(); },
       {{sheet, u"-5.00", u"백분율 매크로 기능이 없습니다"}}, u"15.00"},
      {"both buttons missing", [](xl::Workbook& b) { button(b, 2)->Delete(); button(b, 1)->Delete(); },
       {{sheet, u"-5.00", u"매크로 버튼이 존재하지 않습니다"}, {sheet, u"-5.00", u"백분율 매크로 기능이 없습니다"}},
       u"10.00"},
      {"macro missing from the module", [](xl::Workbook& b) { edit_macro(b, u"Sub 백분율()", u"Sub 퍼센트()"); },
       {{sheet, u"-5.00", u"백분율 매크로 기능이 없습니다"}}, u"15.00"},
      {"macro fails in the target", [](xl::Workbook& b) { edit_macro(b, u"Range(\"F4:F12\")", u"Range(\"F4:?\")"); },
       {{sheet, u"-5.00", u"쉼표 매크로 기능이 없습니다"}}, u"15.00"},
      {"macro gives another format", [](xl::Workbook& b) { edit_macro(b, u"\"#,##0\"", u"\"0.0\""); },
       {{sheet, u"-5.00", u"쉼표 매크로 기능의 결과가 틀립니다"}}, u"15.00"},
      {"first button 31 points to the right", [](xl::Workbook& b) { button(b, 1)->SetLeft(button(b, 1)->Left() + 31); },
       {{sheet, u"-5.00", u"쉼표 버튼이름, 위치, 모양이 틀립니다"}}, u"15.00"},
      {"second button's text", [](xl::Workbook& b) { button(b, 2)->TextFrame()->Characters()->SetText(u"퍼센트"); },
       {{sheet, u"-5.00", u"백분율 버튼이름, 위치 ,모양이 틀립니다"}}, u"15.00"},
      {"button moved 30 points: within the tolerance",
       [](xl::Workbook& b) { button(b, 1)->SetLeft(button(b, 1)->Left() + 30); }, {}, u"20.00"},
  });
}

TEST_F(Basic02Problem4Test, MacroFaultsGiveTheirRows) {
  const std::u16string sheet = u"기타작업";
  ExpectRows({
      {"first button's adjustment below the bound",
       [](xl::Workbook& b) { button(b, 1)->Adjustments()->SetItem(1, 0.75); },
       {{sheet, u"-5.00", u"평균 버튼이름, 위치, 모양이 틀립니다"}}, u"15.00"},
      {"first button a plain form button",
       [](xl::Workbook& b) {
         auto old = button(b, 1);
         auto plain = b.Worksheets(Variant(u"기타작업"))->Shapes()->AddFormControl(0, old->Left(), old->Top(), old->Width(),
                                                                                 old->Height());
         plain->TextFrame()->Characters()->SetText(u"평균");
         plain->SetOnAction(u"평균");
         old->Delete();
       },
       {{sheet, u"-5.00", u"평균 버튼이름, 위치, 모양이 틀립니다"}}, u"15.00"},
      {"second button missing", [](xl::Workbook& b) { button(b, 2)->Delete(); },
       {{sheet, u"-5.00", u"서식 매크로 기능이 없습니다"}}, u"15.00"},
      {"second macro fills another colour", [](xl::Workbook& b) { edit_macro(b, u".ColorIndex = 6", u".ColorIndex = 3"); },
       {{sheet, u"-5.00", u"서식 매크로 기능의 결과가 틀립니다"}}, u"15.00"},
      {"first macro averages other cells", [](xl::Workbook& b) { edit_macro(b, u"R[-1]C[-1]", u"R[-2]C[-1]"); },
       {{sheet, u"-5.00", u"평균 매크로 기능의 결과가 틀립니다"}}, u"15.00"},
  });
}

// The whole problem 4 on a target without a chart: one row of 10 and no chart item tried.
TEST_F(Basic01WholeProblem4Test, TargetWithoutChartLosesTenAndNoItem) { ExpectNoChartRow(); }
TEST_F(Basic02WholeProblem4Test, TargetWithoutChartLosesTenAndNoItem) { ExpectNoChartRow(); }

TEST_F(Basic01Problem4Test, ChartRows) { GTEST_SKIP() << "the answer workbooks have no chart until chart creation lands"; }

}  // namespace
}  // namespace tabrel::papers::testing
