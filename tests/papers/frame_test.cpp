// The entry's paths that the paper tables do not show: a paper whose entry ignores errors
// still ends in the error handler when a workbook cannot be opened, a problem stopped by an
// error keeps its rows and its score in agreement, and a failed sheet switch reads no other
// sheet and says why its problem scores nothing.

#include <gtest/gtest.h>

#include "papers/basic/basic_papers.h"
#include "papers/paper_fixture.h"
#include "shell/core/paper_graders.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/run_time_errors.h"

namespace tabrel::papers::testing {
namespace {

bool always_wrong(grading::ExcelObjects&) { return false; }

// The first basic paper with its problems 1 and 2 replaced and its errors ignored as set.
Paper Variant01(bool ignores_errors, Problem problem1, Problem problem2) {
  Paper paper = Basic01();
  paper.ignores_errors = ignores_errors;
  paper.problems[0] = std::move(problem1);
  paper.problems[1] = std::move(problem2);
  return paper;
}

const Step kRaises = [](ProblemRun&) { raise_error(err::kMethodFailed); };

class FrameTest : public PaperTest {
 protected:
  // The grader keeps its own copy: a temporary paper is enough.
  explicit FrameTest(Paper paper)
      : PaperTest(u"2급기초다지기01회", u"5862#9", 1, 0, {{paper.paper_name, shell::GraderFor(std::move(paper))}}) {}
};

// Problem 1 stops at an error after one row; problem 2 loses the target's sheet it switches to;
// problem 3 starts on a sheet position the answer does not have.
Paper StoppedProblems() {
  const Step lose_target_sheet = [](ProblemRun& run) {
    deref(run.excel().TargetExcel).Worksheets(Variant(u"분석작업-2"))->SetName(u"다른 시트");
  };
  Paper paper = Variant01(
      true,
      {check({yes(always_wrong), 3, literal(u"첫 행")}), kRaises, check({yes(always_wrong), 4, literal(u"둘째 행")})},
      {lose_target_sheet, switch_sheets(6), check({yes(always_wrong), 8, literal(u"다른 시트")})});
  paper.first_sheets[2] = 99;
  return paper;
}

class StoppedProblemTest : public FrameTest {
 protected:
  StoppedProblemTest() : FrameTest(StoppedProblems()) {}
};

// A failed switch reads no sheet left from before: its problem records why it stopped and loses
// what it still held, so the rows account for the whole total.
TEST_F(StoppedProblemTest, RowsAndTotalAgreeAndNoStaleSheetIsRead) {
  Grade(AnswerFile());
  ASSERT_EQ(shell.LastOutcome(), shell::RequestOutcome::Graded);
  EXPECT_EQ(Rows(), (std::vector<Row>{{u"기본작업-1", u"-3.00", u"첫 행"},
                                      {u"분석작업-2", u"-40.00", u"시트를 찾을 수 없어 채점하지 못했습니다"},
                                      {u"99번째 시트", u"-20.00", u"시트를 찾을 수 없어 채점하지 못했습니다"}}));
  EXPECT_EQ(TotalRow(), u"-63");
  EXPECT_EQ(Obtained(1), u"17.00");
  EXPECT_EQ(Obtained(2), u"0.00");
  EXPECT_EQ(Obtained(3), u"0.00");
  EXPECT_EQ(Obtained(4), u"20.00");
  EXPECT_EQ(Total(), u"37.00");
  EXPECT_EQ(dialogs.verdicts.size(), 1u);
}

class UnopenableTest : public FrameTest {
 protected:
  UnopenableTest() : FrameTest(Variant01(true, Basic01().problems[0], Basic01().problems[1])) {}
};

TEST_F(UnopenableTest, WorkbookThatCannotOpenIsNoDisqualification) {
  const auto wrong_password = MakeTarget([](xl::Workbook&) {}, u"다른암호");
  Grade(wrong_password);
  EXPECT_EQ(shell.LastOutcome(), shell::RequestOutcome::Failed);
  EXPECT_EQ(Rows(), std::vector<Row>{});
  EXPECT_EQ(shell.comtest.Label6.Caption(), shell::kGradingErrorMessage);

  std::filesystem::remove(AnswerFile());
  Grade(wrong_password);
  EXPECT_EQ(shell.LastOutcome(), shell::RequestOutcome::Failed);
  EXPECT_EQ(Rows(), std::vector<Row>{});
}

class FailingSwitchTest : public FrameTest {
 protected:
  FailingSwitchTest() : FrameTest(Variant01(false, {switch_sheets(99)}, {})) {}
};

TEST_F(FailingSwitchTest, EndsInTheErrorHandlerWhenErrorsAreNotIgnored) {
  Grade(AnswerFile());
  EXPECT_EQ(shell.LastOutcome(), shell::RequestOutcome::Failed);
  EXPECT_EQ(Rows(), std::vector<Row>{});
  EXPECT_TRUE(dialogs.verdicts.empty());
  EXPECT_FALSE(shell.excel.AnswerExcel || shell.excel.TargetExcel);
}

}  // namespace
}  // namespace tabrel::papers::testing
