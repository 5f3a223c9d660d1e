// The entry's paths that the paper tables do not show: a paper whose entry ignores errors
// still ends in the error handler when a workbook cannot be opened, a problem stopped by an
// error keeps its rows and its score in agreement, and a failed sheet switch reads no other
// sheet.

#include <gtest/gtest.h>

#include "papers/basic/basic_papers.h"
#include "papers/paper_fixture.h"
#include "shell/core/paper_graders.h"
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
  explicit FrameTest(const Paper& paper)
      : PaperTest(u"2급기초다지기01회", u"5862#9", 1, 0, {{paper.paper_name, shell::GraderFor(paper)}}) {}
};

const Paper& StoppedProblems() {
  static const Paper paper = Variant01(
      true,
      {check({yes(always_wrong), 3, literal(u"첫 행")}), kRaises, check({yes(always_wrong), 4, literal(u"둘째 행")})},
      {switch_sheets(99), check({yes(always_wrong), 8, literal(u"다른 시트")})});
  return paper;
}

class StoppedProblemTest : public FrameTest {
 protected:
  StoppedProblemTest() : FrameTest(StoppedProblems()) {}
};

TEST_F(StoppedProblemTest, RowsAndTotalAgreeAndNoStaleSheetIsRead) {
  Grade(AnswerFile());
  ASSERT_EQ(shell.LastOutcome(), shell::RequestOutcome::Graded);
  EXPECT_EQ(Rows(), (std::vector<Row>{{u"기본작업-1", u"-3.00", u"첫 행"}}));
  EXPECT_EQ(TotalRow(), u"-3");
  EXPECT_EQ(Obtained(1), u"17.00");
  EXPECT_EQ(Obtained(2), u"40.00");  // stopped at its switch, before any check
  EXPECT_EQ(Obtained(3), u"20.00");
  EXPECT_EQ(Total(), u"77.00");
  EXPECT_EQ(dialogs.verdicts.size(), 1u);
}

class UnopenableTest : public FrameTest {
 protected:
  UnopenableTest() : FrameTest(Ignoring()) {}
  static const Paper& Ignoring() {
    static const Paper paper = Variant01(true, Basic01().problems[0], Basic01().problems[1]);
    return paper;
  }
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

const Paper& FailingSwitchWithoutIgnoring() {
  static const Paper paper = Variant01(false, {switch_sheets(99)}, {});
  return paper;
}

class FailingSwitchTest : public FrameTest {
 protected:
  FailingSwitchTest() : FrameTest(FailingSwitchWithoutIgnoring()) {}
};

TEST_F(FailingSwitchTest, EndsInTheErrorHandlerWhenErrorsAreNotIgnored) {
  Grade(AnswerFile());
  EXPECT_EQ(shell.LastOutcome(), shell::RequestOutcome::Failed);
  EXPECT_TRUE(dialogs.verdicts.empty());
  EXPECT_FALSE(shell.excel.AnswerExcel || shell.excel.TargetExcel);
}

}  // namespace
}  // namespace tabrel::papers::testing
