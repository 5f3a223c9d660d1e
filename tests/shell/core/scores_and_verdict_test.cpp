#include "shell_fixture.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::shell {
namespace {

using testing::ShellTest;

TEST_F(ShellTest, ObtainedPointLabelsAndTotalReformat) {
  auto& c = shell.comtest;
  struct Case {
    std::u16string written;
    std::u16string shown;
  };
  for (const Case& k : {Case{u"20", u"20.00"}, Case{u"17.5", u"17.50"}, Case{u"0", u"0.00"}, Case{u"", u""},
                        Case{u"실격", u"실격"}, Case{u"1.005", u"1.01"}, Case{u"-2.5", u"-2.50"}}) {
    c.Label1[5].SetCaption(k.written);
    EXPECT_EQ(c.Label1[5].Caption(), k.shown) << std::string(k.written.begin(), k.written.end());
  }
  c.Label4.SetCaption(u"87.5");  // Label4 alone is left as written
  EXPECT_EQ(c.Label4.Caption(), u"87.5");
  c.Label1[6].SetCaption(u"3");
  EXPECT_EQ(c.Label4.Caption(), u"87.50");
  c.Label4.SetCaption(u"실격");
  c.Label1[7].SetCaption(u"0");
  EXPECT_EQ(c.Label4.Caption(), u"실격");
  c.Label1[0].SetCaption(u"20");  // allotted points are never re-formatted
  EXPECT_EQ(c.Label1[0].Caption(), u"20");
}

TEST_F(ShellTest, AddDeductionRows) {
  struct Case {
    float points;
    std::u16string sheet;
    std::u16string shown;
  };
  const std::u16string disqualified = u"시트의 이름, 개수, 순서가 틀림";
  for (const Case& k : {Case{2, u"S", u"-2.00"}, Case{100, u"실격", u"-100.00"}, Case{1.5f, u"S", u"-1.50"},
                        Case{1.6666667f, u"S", u"-1.67"}, Case{0, u"S", u"-0.00"}}) {
    shell.AddDeduction(k.points, disqualified, k.sheet);
    const ListItem& row = shell.comtest.ListView1.Items().back();
    EXPECT_EQ(row.Column(1), k.sheet);
    EXPECT_EQ(row.Column(2), k.shown);
    EXPECT_EQ(row.Column(3), disqualified);
  }
  EXPECT_EQ(shell.comtest.ListView1.Count(), 5);
}

TEST_F(ShellTest, AddDeductionNamesRowAfterAnswerSheet) {
  auto workbook = std::make_unique<model::Workbook>();
  for (const char16_t* name : {u"기본작업", u"계산작업"}) {
    workbook->sheets.push_back(std::make_unique<model::Sheet>());
    workbook->sheets.back()->name = name;
  }
  shell.excel.AnswerExcel = xl::Application::New();
  shell.excel.AnswerExcel->Workbooks()->Adopt(std::move(workbook), u"정답.XLS");
  shell.excel.AnswerSheet = shell.excel.AnswerExcel->Worksheets(Variant(2));
  shell.AddDeduction(2, u"B5 셀의 값이 틀립니다", u"");
  ASSERT_EQ(shell.comtest.ListView1.Count(), 1);
  EXPECT_EQ(shell.comtest.ListView1.Item(1).Column(1), u"계산작업");
  EXPECT_EQ(shell.comtest.ListView1.Item(1).Column(2), u"-2.00");
  EXPECT_EQ(shell.comtest.ListView1.Item(1).Column(3), u"B5 셀의 값이 틀립니다");

  shell.HandleGradingError();  // closes the answer workbook unsaved and quits
  EXPECT_FALSE(shell.excel.AnswerExcel);
  EXPECT_FALSE(shell.excel.AnswerSheet);
}

TEST_F(ShellTest, AddDeductionWithoutAnswerSheetAddsNothing) {
  shell.AddDeduction(2, u"값이 틀립니다", u"");  // no answer sheet: the row cannot be named
  EXPECT_EQ(shell.comtest.ListView1.Count(), 0);
}

TEST_F(ShellTest, DoubleClickShowsErrorText) {
  shell.AddDeduction(2, u"B5 셀의 값이 틀립니다", u"시트1");
  shell.ListView1_DblClick();
  EXPECT_TRUE(dialogs.messages.empty());  // no row selected
  shell.comtest.ListView1.Add(2, u"총 감점");
  for (int row : {1, 2}) {
    shell.comtest.ListView1.Select(row);
    shell.ListView1_DblClick();
  }
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0].text, u"B5 셀의 값이 틀립니다");
  EXPECT_EQ(dialogs.messages[0].title, u"에러내용");
  EXPECT_EQ(dialogs.messages[1].text, u"");
}

TEST_F(ShellTest, ShowVerdictFillsWindowFromScores) {
  auto& c = shell.comtest;
  const std::u16string allotted[] = {u"20", u"40", u"20", u"20"};
  const std::u16string obtained[] = {u"17.5", u"40", u"12.5", u"20"};
  for (size_t k = 0; k < 4; ++k) {
    c.Label1[k].SetCaption(allotted[k]);
    c.Label1[k + 4].SetCaption(obtained[k]);
  }
  c.Label4.SetCaption(u"90.00");
  shell.ShowVerdict(u"합격");
  ASSERT_EQ(dialogs.verdicts.size(), 1u);
  const FrmPass& frm = dialogs.verdicts[0];
  EXPECT_EQ(frm.Label3.Caption(), u"◀ 합  격 ▶");
  EXPECT_EQ(frm.Label2.Caption(), u"90.00점");
  const float maxima[] = {20, 40, 20, 20};
  const float values[] = {17.5f, 40, 12.5f, 20};
  const std::u16string labels[] = {u"17.5", u"40", u"12.5", u"20"};
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(frm.ProgressBar1[k].Max(), maxima[k]);
    EXPECT_EQ(frm.ProgressBar1[k].Value(), values[k]);
    EXPECT_EQ(frm.Label1[k].Caption(), labels[k]);
  }
  EXPECT_EQ(shell.MousePointer(), kPointerHourglass);  // closing the window
}

TEST_F(ShellTest, ShowVerdictFailTextAndRefusedBarValues) {
  auto& c = shell.comtest;
  c.Label1[0].SetCaption(u"");    // no maximum: the bar keeps 0..100
  c.Label1[1].SetCaption(u"40");
  c.Label1[4].SetCaption(u"55");
  c.Label1[5].SetCaption(u"-3");  // below the range: refused
  for (const std::u16string verdict : {u"불합격", u"", u"합격 "}) {
    shell.ShowVerdict(verdict);
    const FrmPass& frm = dialogs.verdicts.back();
    EXPECT_EQ(frm.Label3.Caption(), u"◀ 불합격 ▶");
    EXPECT_EQ(frm.ProgressBar1[0].Max(), 100);
    EXPECT_EQ(frm.ProgressBar1[0].Value(), 55);
    EXPECT_EQ(frm.ProgressBar1[1].Value(), 0);
    EXPECT_EQ(frm.Label1[1].Caption(), u"0");
  }
}

TEST_F(ShellTest, MakeAnswerPathAppendsExtension) {
  const std::u16string path = u"/opt/tabrel/정답/2급기초다지기01회";
  EXPECT_EQ(shell.MakeAnswerPath(path), path + u".XLS");
  EXPECT_EQ(shell.comtest.Text1.Text, path + u".XLS");
}

}  // namespace
}  // namespace tabrel::shell
