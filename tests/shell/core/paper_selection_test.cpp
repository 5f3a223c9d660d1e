#include <algorithm>

#include "runtime/strings.h"
#include "shell/core/paper_catalog.h"
#include "shell_fixture.h"

namespace tabrel::shell {
namespace {

using testing::ShellTest;

std::vector<std::u16string> items(const ComboBox& list) { return list.Items(); }

TEST_F(ShellTest, StartUpBuildsCatalogAndWindow) {
  const auto& catalog = shell.PaperCatalog;
  EXPECT_EQ(std::count(catalog.begin(), catalog.end(), u';'), 21);
  EXPECT_EQ(rt::Split(catalog, u";").size(), 22u);
  EXPECT_TRUE(catalog.ends_with(u";2급기출06회,20,40,20,20"));
  EXPECT_TRUE(catalog.starts_with(u"2급기초다지기01회,20,40,20,20;"));

  const ComTest& c = shell.comtest;
  EXPECT_TRUE(c.Option1.Value(0));
  EXPECT_TRUE(c.Option2.Value(0));
  EXPECT_TRUE(c.Combo3[0].Enabled());
  for (int i = 1; i < 4; ++i) EXPECT_FALSE(c.Combo3[static_cast<size_t>(i)].Enabled());
  EXPECT_EQ(items(c.Combo3[0]), (std::vector<std::u16string>{u"유형01회", u"기출01회", u"기출02회", u"기출03회",
                                                            u"기출04회", u"기출05회", u"기출06회"}));
  const std::vector<std::u16string> five{u"01회", u"02회", u"03회", u"04회", u"05회"};
  for (int i = 1; i < 4; ++i) EXPECT_EQ(items(c.Combo3[static_cast<size_t>(i)]), five);
  for (const auto& list : c.Combo3) EXPECT_EQ(list.Text(), u"");
  EXPECT_TRUE(c.Label2[6].Visible());
  EXPECT_TRUE(c.Label7[0].Visible());
  EXPECT_TRUE(c.Label1[7].Visible());
  ASSERT_EQ(c.ListView1.Columns.size(), 3u);
  EXPECT_EQ(c.ListView1.Columns[1].Heading, u"감점점수");
  EXPECT_EQ(c.ListView1.Columns[1].Alignment, ListColumn::Align::Right);
  EXPECT_EQ(c.ListView1.Count(), 0);
  EXPECT_EQ(c.List1.Text(), u"Tabrel");
  EXPECT_EQ(shell.ProgressStep, 0);
  EXPECT_EQ(shell.ProblemPoints(1), u"");
}

TEST_F(ShellTest, PickingTestNumberLoadsPointsAndStep) {
  shell.SelectSeries(1);
  shell.PickTestNumber(1, 0);
  EXPECT_EQ(shell.GetPaperKey(), u"2급기초다지기01회");
  EXPECT_EQ(shell.ProblemPoints(1), u"20");
  EXPECT_EQ(shell.ProblemPoints(2), u"40");
  EXPECT_EQ(shell.ProblemPoints(4), u"20");
  EXPECT_EQ(shell.ProblemPoints(5), u"");
  EXPECT_EQ(shell.ProgressStep, 2500);
  const auto& l = shell.comtest.Label1;
  EXPECT_EQ(l[0].Caption() + l[1].Caption() + l[2].Caption() + l[3].Caption(), u"20402020");
  EXPECT_EQ(shell.comtest.Label7[0].Caption(), u"");
}

TEST_F(ShellTest, PaperKeysOfPastExamSeries) {
  shell.PickTestNumber(0, 0);
  EXPECT_EQ(shell.GetPaperKey(), u"2급유형01회");
  shell.PickTestNumber(0, 6);
  EXPECT_EQ(shell.GetPaperKey(), u"2급기출06회");
  EXPECT_EQ(shell.ProgressStep, 2500);
}

TEST_F(ShellTest, ChangingSeriesKeepsOtherListAndPoints) {
  shell.SelectSeries(1);
  shell.PickTestNumber(1, 2);
  shell.ProblemPoints(2) = u"marker";  // points change only on a found key
  shell.SelectSeries(2);
  EXPECT_FALSE(shell.comtest.Combo3[1].Enabled());
  EXPECT_EQ(shell.comtest.Combo3[1].Text(), u"03회");
  EXPECT_TRUE(shell.comtest.Combo3[2].Enabled());
  EXPECT_EQ(shell.comtest.Combo3[2].Text(), u"");
  EXPECT_EQ(shell.ProblemPoints(2), u"marker");
  EXPECT_EQ(shell.GetPaperKey(), u"2급실력다지기");
}

TEST_F(ShellTest, LevelPictureRefillsListsAndKeepsPoints) {
  shell.PickTestNumber(0, 1);
  shell.Image1_Click(0);
  for (const auto& list : shell.comtest.Combo3) EXPECT_EQ(list.Text(), u"");
  EXPECT_EQ(shell.comtest.Combo3[0].Items().size(), 7u);
  EXPECT_EQ(shell.ProgressStep, 2500);
  EXPECT_EQ(shell.comtest.Label1[1].Caption(), u"40");
}

TEST_F(ShellTest, LevelThreeEmptiesListsAndKeepsRows) {
  shell.SelectLevel(1);
  for (const auto& list : shell.comtest.Combo3) EXPECT_TRUE(list.Items().empty());
  EXPECT_TRUE(shell.comtest.Label2[3].Visible());
}

TEST_F(ShellTest, UnknownKeyRewritesLabelsWithHeldValues) {
  shell.LoadPaperPoints(u"2급기초다지기01회");
  shell.comtest.Label1[0].SetCaption(u"x");
  shell.LoadPaperPoints(u"2급없는회");
  EXPECT_EQ(shell.comtest.Label1[0].Caption(), u"20");
  EXPECT_EQ(shell.ProgressStep, 2500);
}

TEST_F(ShellTest, EntriesWithThreeOrFivePointValues) {
  shell.PaperCatalog = u"2급A,10,20,30;2급B,1,2,3,4,5;2급C,7,7,7,7,7,7";
  shell.LoadPaperPoints(u"2급A");
  EXPECT_EQ(shell.ProgressStep, 3333);
  EXPECT_EQ(shell.ProblemPoints(3), u"30");
  EXPECT_EQ(shell.ProblemPoints(4), u"");
  shell.LoadPaperPoints(u"2급B");
  EXPECT_EQ(shell.ProgressStep, 2000);
  EXPECT_EQ(shell.comtest.Label7[0].Caption(), u"5");
  shell.LoadPaperPoints(u"2급C");  // six values: no point copied, the step still follows
  EXPECT_EQ(shell.ProblemPoints(1), u"1");
  EXPECT_EQ(shell.ProgressStep, 1667);
}

TEST_F(ShellTest, EntryWithoutPointValuesKeepsTheStep) {
  shell.PaperCatalog = u"2급A,10,20,30;2급D";
  shell.LoadPaperPoints(u"2급A");
  EXPECT_NO_THROW(shell.LoadPaperPoints(u"2급D"));
  EXPECT_EQ(shell.ProgressStep, 3333);
  EXPECT_EQ(shell.comtest.Label1[2].Caption(), u"30");
}

TEST(PaperCatalogTable, DispatchNamesFollowCatalogOrder) {
  ASSERT_EQ(kPaperModules.size(), 22u);
  EXPECT_EQ(kPaperModules[15].paper_name, u"Tabrel2급기출문제유형01회");
  EXPECT_EQ(kPaperModules[15].module_name, u"Tabrel2급기출유형01회A형");
  EXPECT_EQ(kPaperModules[21].paper_name, u"Tabrel2급기출문제기출06회");
  EXPECT_EQ(kPaperModules[5].module_name, u"Tabrel2급실력01회");
}

}  // namespace
}  // namespace tabrel::shell
