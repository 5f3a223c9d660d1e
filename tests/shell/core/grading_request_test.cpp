#include "shell_fixture.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/core/automation_error.h"

namespace tabrel::shell {
namespace {

// A dispatch table whose graders record the paper they were called for and run a script.
struct ScriptedPapers {
  std::vector<std::u16string> called;
  std::function<void(Shell&)> script = [](Shell&) {};

  DispatchTable Table() {
    DispatchTable table;
    for (auto name : {u"Tabrel2급기초다지기02회", u"Tabrel2급기출문제유형01회"}) {
      table.push_back({name, [this, name = std::u16string(name)](Shell& s) {
                         called.push_back(name);
                         script(s);
                       }});
    }
    return table;
  }
};

class GradingRequestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(shell.Form_Initialize().has_value());
    dialogs.file_answer = testing::PathText(target);
  }
  std::vector<std::u16string> Column(int k) const {
    std::vector<std::u16string> out;
    for (const auto& row : shell.comtest.ListView1.Items()) out.push_back(row.Column(k));
    return out;
  }

  testing::ProgramFolder folder;
  testing::RecordingDialogs dialogs;
  ScriptedPapers papers;
  Shell shell{dialogs, folder.path(), papers.Table()};
  std::filesystem::path target = folder.Write("target.xls", "not really a workbook");
};

TEST_F(GradingRequestTest, StartWithoutTestNumberAsksForOne) {
  shell.Picture1_MouseDown(0);
  EXPECT_TRUE(shell.comtest.Picture1[0].Pressed);
  shell.Picture1_MouseUp(0);
  EXPECT_FALSE(shell.comtest.Picture1[0].Pressed);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, u"채점대상을 선택하세요");
  EXPECT_EQ(dialogs.messages[0].title, u"Tabrel 검정 채점 프로그램");
  EXPECT_TRUE(dialogs.file_requests.empty());
  EXPECT_EQ(shell.LastOutcome(), RequestOutcome::NoTestNumber);
}

TEST_F(GradingRequestTest, CancelledDialogChangesNothing) {
  shell.PickTestNumber(0, 0);
  shell.comtest.Text2.Text = u"before";
  dialogs.file_answer.clear();
  shell.Picture1_MouseUp(0);
  ASSERT_EQ(dialogs.file_requests.size(), 1u);
  EXPECT_EQ(dialogs.file_requests[0].title, u"Tabrel 채점 대상 파일");
  EXPECT_EQ(dialogs.file_requests[0].filter, u"Excel file (*.xls)|*.xls");
  EXPECT_EQ(shell.comtest.Text2.Text, u"before");
  EXPECT_EQ(shell.LastOutcome(), RequestOutcome::Cancelled);
}

TEST_F(GradingRequestTest, DispatchesByPaperNameAndPreparesWindow) {
  struct Case {
    int series;
    int item;
    std::u16string paper;
  };
  for (const Case& c : {Case{1, 1, u"Tabrel2급기초다지기02회"}, Case{0, 0, u"Tabrel2급기출문제유형01회"}}) {
    shell.SelectSeries(c.series);
    shell.PickTestNumber(c.series, c.item);
    shell.comtest.Label1[4].SetCaption(u"12");
    shell.comtest.ListView1.Add(1, u"old row");
    papers.script = [&](Shell& s) {
      EXPECT_EQ(s.comtest.Text2.Text, testing::PathText(target));
      EXPECT_EQ(s.comtest.Label1[4].Caption(), u"");
      EXPECT_EQ(s.comtest.ListView1.Count(), 0);
      EXPECT_TRUE(s.comtest.Label6.Visible());
      EXPECT_EQ(s.comtest.Label3.Caption(), u"현재까지 점수");
      EXPECT_EQ(s.comtest.ProgressBar1.Value(), 0);
      EXPECT_TRUE(s.RequestRunning());
    };
    shell.Picture1_MouseUp(0);
    EXPECT_EQ(shell.PaperName(), c.paper);
    ASSERT_FALSE(papers.called.empty());
    EXPECT_EQ(papers.called.back(), c.paper);
    EXPECT_EQ(shell.LastOutcome(), RequestOutcome::Graded);
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(GradingRequestTest, NoMatchingPaperGivesMessageAndZeroTotal) {
  shell.SelectSeries(1);
  shell.PickTestNumber(1, 0);
  shell.SelectSeries(2);  // a series whose list has no choice
  shell.Picture1_MouseUp(0);
  EXPECT_EQ(shell.PaperName(), u"Tabrel2급실력다지기");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, u"해당하는 문제가 없습니다");
  EXPECT_EQ(Column(1), std::vector<std::u16string>{u"총 감점"});
  EXPECT_EQ(Column(2), std::vector<std::u16string>{u"0"});
  EXPECT_EQ(shell.LastOutcome(), RequestOutcome::NoMatchingPaper);
}

TEST_F(GradingRequestTest, BuiltInTableWithoutGradersFindsNoPaper) {
  Shell plain(dialogs, folder.path(), BuiltInDispatchTable());
  ASSERT_FALSE(plain.Form_Initialize().has_value());
  plain.SelectSeries(2);
  plain.PickTestNumber(2, 0);  // a skill-series paper, which has no grader
  plain.Picture1_MouseUp(0);
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.messages.back().text, u"해당하는 문제가 없습니다");
}

TEST_F(GradingRequestTest, TotalRowSumsPointsColumn) {
  struct Case {
    std::vector<float> points;
    std::u16string total;
  };
  for (const Case& c : {Case{{2.0f, 5.0f, 1.67f}, u"-8.67"}, Case{{100.0f}, u"-100"}, Case{{2.5f, 10.0f}, u"-12.5"},
                        Case{{0.0f}, u"0"}}) {
    papers.script = [&](Shell& s) {
      for (float p : c.points) s.AddDeduction(p, u"틀림", u"시트");
    };
    shell.PickTestNumber(0, 0);
    shell.Picture1_MouseUp(0);
    const auto totals = Column(2);
    ASSERT_EQ(totals.size(), c.points.size() + 1);
    EXPECT_EQ(totals.back(), c.total);
    EXPECT_EQ(Column(1).back(), u"총 감점");
    EXPECT_EQ(Column(3).back(), u"");
  }
}

TEST_F(GradingRequestTest, ReadOnlyTargetIsMadeWritableAndTempRemovedWhenEmpty) {
  std::filesystem::permissions(target, std::filesystem::perms::owner_read, std::filesystem::perm_options::replace);
  std::filesystem::create_directory(folder.path() / "temp");
  shell.PickTestNumber(0, 0);
  shell.Picture1_MouseUp(0);
  EXPECT_NE(std::filesystem::status(target).permissions() & std::filesystem::perms::owner_write,
            std::filesystem::perms::none);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "temp"));

  folder.Write("temp/kept.txt", "x");
  shell.Picture1_MouseUp(0);
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "temp"));
}

TEST_F(GradingRequestTest, GraderErrorEndsInHandler) {
  std::filesystem::create_directory(folder.path() / "temp");
  std::shared_ptr<xl::Application> answer, target;
  papers.script = [&](Shell& s) {
    s.excel.AnswerExcel = answer = xl::Application::New();
    s.excel.TargetExcel = target = xl::Application::New();
    s.AddDeduction(2, u"앞선 감점", u"시트1");
    s.SetMousePointer(kPointerHourglass);
    throw AutomationError(1004, u"암호가 틀립니다");
  };
  shell.PickTestNumber(0, 0);
  shell.Picture1_MouseUp(0);
  EXPECT_EQ(shell.LastOutcome(), RequestOutcome::Failed);
  EXPECT_EQ(Column(1), std::vector<std::u16string>{u"시트1"});  // no total row
  EXPECT_EQ(shell.comtest.Label6.Caption(), u"암호 등의 이유로 오류가 발생하였습니다");
  EXPECT_TRUE(shell.comtest.Label6.Visible());
  EXPECT_EQ(shell.MousePointer(), kPointerDefault);
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "temp"));
  EXPECT_FALSE(shell.excel.AnswerExcel);
  EXPECT_FALSE(shell.excel.TargetExcel);
  EXPECT_THROW(answer->session(), AutomationError);  // both instances have quit
  EXPECT_THROW(target->session(), AutomationError);
  EXPECT_FALSE(shell.RequestRunning());
}

TEST_F(GradingRequestTest, MissingTargetFailsBeforeGrading) {
  dialogs.file_answer = testing::PathText(folder.path() / "없는파일.xls");
  shell.PickTestNumber(0, 0);
  shell.Picture1_MouseUp(0);
  EXPECT_TRUE(papers.called.empty());
  EXPECT_EQ(shell.LastOutcome(), RequestOutcome::Failed);
  EXPECT_EQ(shell.comtest.Label6.Caption(), u"암호 등의 이유로 오류가 발생하였습니다");
}

TEST_F(GradingRequestTest, SecondRequestAndChoicesRefusedWhileGrading) {
  papers.script = [&](Shell& s) {
    s.Picture1_MouseUp(0);
    s.SelectSeries(3);
    s.PickTestNumber(0, 3);
    EXPECT_EQ(s.LastOutcome(), RequestOutcome::Refused);
  };
  shell.PickTestNumber(0, 0);
  shell.Picture1_MouseUp(0);
  EXPECT_EQ(papers.called.size(), 1u);
  EXPECT_EQ(dialogs.file_requests.size(), 1u);
  EXPECT_TRUE(shell.comtest.Option2.Value(0));
  EXPECT_EQ(shell.comtest.Combo3[0].Text(), u"유형01회");
}

TEST_F(GradingRequestTest, UnloadQuitsAndReleasesInstances) {
  auto answer = xl::Application::New();
  shell.excel.AnswerExcel = answer;
  shell.Form_Unload();  // the target instance is missing: its steps fail silently
  EXPECT_FALSE(shell.excel.AnswerExcel);
  EXPECT_THROW(answer->session(), AutomationError);
}

TEST_F(GradingRequestTest, UnloadAndExitWithoutInstances) {
  bool ended = false;
  Shell s(dialogs, folder.path(), {}, ShellHooks{{}, {}, [&] { ended = true; }, {}});
  s.Form_Unload();  // every quit fails silently
  s.Picture1_MouseDown(1);
  EXPECT_TRUE(s.comtest.Picture1[1].Pressed);
  s.Picture1_MouseUp(1);
  EXPECT_TRUE(ended);
  EXPECT_FALSE(s.comtest.Picture1[1].Pressed);
}

TEST_F(GradingRequestTest, FindExecutableStandIn) {
  EXPECT_TRUE(TargetHasAssociatedProgram(target));
  EXPECT_FALSE(TargetHasAssociatedProgram(folder.path() / "missing.xls"));
  EXPECT_FALSE(TargetHasAssociatedProgram(folder.path()));
}

}  // namespace
}  // namespace tabrel::shell
