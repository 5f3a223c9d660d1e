#include "inspect/sheet_structure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspect/fixture.h"
#include "spreadsheet/automation/sheets.h"

namespace tabrel::inspect {
namespace {

// A sheet of a test workbook: its name, "~" in front for a hidden sheet, then "#" for a chart sheet.
std::unique_ptr<model::Workbook> workbook_of(const std::vector<std::u16string>& sheets) {
  auto wb = testing::blank_workbook({});
  for (std::u16string name : sheets) {
    auto sheet = std::make_unique<model::Sheet>();
    if (name[0] == u'~') {
      sheet->visibility = model::Visibility::Hidden;
      name.erase(0, 1);
    }
    if (name[0] == u'#') {
      sheet->kind = model::SheetKind::ChartSheet;
      name.erase(0, 1);
    }
    sheet->name = name;
    wb->sheets.push_back(std::move(sheet));
  }
  return wb;
}

ExcelObjects open_sheets(const std::vector<std::u16string>& answer, const std::vector<std::u16string>& target) {
  return testing::open_books(workbook_of(answer), workbook_of(target));
}

std::vector<std::u16string> names_of(const std::shared_ptr<xl::Application>& app) {
  std::vector<std::u16string> names;
  for (int i = 1; i <= app->Sheets()->Count(); ++i) names.push_back(app->Sheets(Variant(i))->Name());
  return names;
}

struct StructureCase {
  const char* name;
  std::vector<std::u16string> answer, target;
  bool wrong;
  std::vector<std::u16string> target_after;  // empty: the target as given
};

TEST(NormalizeTargetSheetsTest, StructureCases) {
  const std::vector<std::u16string> six = {u"기본", u"계산", u"필터", u"피벗", u"매크로", u"요약"};
  std::vector<std::u16string> answer_with_scenario = six;
  answer_with_scenario.insert(answer_with_scenario.begin() + 5, u"시나리오 요약");
  std::vector<std::u16string> answer_with_chart = six;
  answer_with_chart.push_back(u"#Chart1");
  std::vector<std::u16string> with_extra = six;
  with_extra.push_back(u"Sheet7");
  std::vector<std::u16string> with_hidden = six;
  with_hidden.insert(with_hidden.begin() + 2, u"~숨김");
  std::vector<std::u16string> swapped = six;
  std::swap(swapped[1], swapped[2]);
  std::vector<std::u16string> blanks = six;
  blanks[3] = u" 피벗 ";
  std::vector<std::u16string> fewer = six;
  fewer.pop_back();

  const StructureCase cases[] = {
      {"same sheets", six, six, false, {}},
      {"one extra visible sheet", six, with_extra, true, {}},
      {"one hidden extra sheet is deleted", six, with_hidden, false, six},
      {"scenario summary missing gets a placeholder", answer_with_scenario, six, false, answer_with_scenario},
      {"chart sheet missing at the end", answer_with_chart, six, true, {}},
      {"two worksheets swapped", six, swapped, true, {}},
      {"names apart only by outer blanks", six, blanks, false, {}},
      {"chart sheets named differently", {u"기본", u"#그림1"}, {u"기본", u"#Chart1"}, false, {}},
      {"target runs out of comparable sheets first", {u"기본", u"계산"}, {u"기본", u"계산 차트"}, false, {}},
      {"answer runs out of comparable sheets first", {u"기본", u"계산 차트"}, {u"기본", u"계산"}, true, {}},
      {"fewer target sheets, names agreeing", six, fewer, true, {}},
  };
  for (const StructureCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExcelObjects o = open_sheets(c.answer, c.target);
    const std::vector<std::u16string> answer_before = names_of(o.AnswerExcel);
    EXPECT_EQ(NormalizeTargetSheets(o, static_cast<int16_t>(c.answer.size()), u""), c.wrong);
    if (!c.target_after.empty()) {
      EXPECT_EQ(names_of(o.TargetExcel), c.target_after);
    }
    EXPECT_EQ(names_of(o.AnswerExcel), answer_before);
  }
}

TEST(NormalizeTargetSheetsTest, DeletingAHiddenSheetTurnsAlertsOff) {
  ExcelObjects o = open_sheets({u"기본"}, {u"기본", u"~숨김"});
  EXPECT_FALSE(NormalizeTargetSheets(o, 1, u""));
  EXPECT_FALSE(o.TargetExcel->DisplayAlerts());
  EXPECT_TRUE(o.AnswerExcel->DisplayAlerts());
}

TEST(NormalizeTargetSheetsTest, PlaceholderBecomesTheActiveSheet) {
  ExcelObjects o = open_sheets({u"기본", u"시나리오 요약", u"계산"}, {u"기본", u"계산"});
  EXPECT_FALSE(NormalizeTargetSheets(o, 3, u""));
  EXPECT_EQ(o.TargetExcel->ActiveSheet()->Name(), u"시나리오 요약");
  EXPECT_EQ(o.TargetExcel->ActiveSheet()->Index(), 2);
}

TEST(NormalizeTargetSheetsTest, PlaceholderNameTakenElsewhereGivesWrong) {
  ExcelObjects o = open_sheets({u"기본", u"시나리오 요약", u"계산", u"필터"}, {u"기본", u"계산", u"시나리오 요약"});
  EXPECT_TRUE(NormalizeTargetSheets(o, 4, u""));
}

TEST(FindNextSheetTest, ComparableSheetsAndTheEnds) {
  ExcelObjects o =
      open_sheets({u"기본", u"시나리오 요약", u"Chart 차트", u"Extra", u"계산"}, {u"기본", u"시나리오", u"계산"});
  EXPECT_EQ(FindNextAnswerSheet(o, 2, u""), 4);
  EXPECT_EQ(FindNextAnswerSheet(o, 2, u"Extra"), 5);
  EXPECT_EQ(FindNextAnswerSheet(o, 6, u""), 6);
  EXPECT_EQ(FindNextTargetSheet(o, 2, u""), 3);
  EXPECT_EQ(FindNextTargetSheet(o, 4, u""), 0);
}

TEST(IsChartSheetCorrectTest, ChartSheetsOfTheSameNameAtThePosition) {
  struct Case {
    const char* name;
    std::vector<std::u16string> answer, target;
    int16_t position;
    bool correct;
  };
  const Case cases[] = {
      {"chart sheets of the same name", {u"기본", u"#피벗차트"}, {u"기본", u"#피벗차트"}, 2, true},
      {"names apart only by outer blanks", {u"기본", u"#피벗차트"}, {u"기본", u"# 피벗차트 "}, 2, true},
      {"names differ", {u"기본", u"#피벗차트"}, {u"기본", u"#Chart1"}, 2, false},
      {"names differ in letter case", {u"기본", u"#Chart1"}, {u"기본", u"#chart1"}, 2, false},
      {"a worksheet in the target", {u"기본", u"#피벗차트"}, {u"기본", u"피벗차트"}, 2, false},
      {"a worksheet in the answer", {u"기본", u"피벗차트"}, {u"기본", u"#피벗차트"}, 2, false},
      {"worksheets on both sides", {u"기본"}, {u"기본"}, 1, false},
      {"position past the target's last sheet", {u"기본", u"#피벗차트"}, {u"기본"}, 2, false},
      {"position 0", {u"#피벗차트"}, {u"#피벗차트"}, 0, false},
      {"a hidden chart sheet still answers", {u"기본", u"~#피벗차트"}, {u"기본", u"~#피벗차트"}, 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExcelObjects o = open_sheets(c.answer, c.target);
    EXPECT_EQ(IsChartSheetCorrect(o, c.position), c.correct);
  }
}

TEST(IsChartSheetCorrectTest, UnsetInstanceGivesFalse) {
  ExcelObjects o = open_sheets({u"#피벗차트"}, {u"#피벗차트"});
  o.TargetExcel = nullptr;
  EXPECT_FALSE(IsChartSheetCorrect(o, 1));
}

}  // namespace
}  // namespace tabrel::inspect
