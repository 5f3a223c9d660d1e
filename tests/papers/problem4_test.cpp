// Problem 4 of the first two basic papers: the two macros with their buttons and the chart,
// graded against the answer workbook's own, and targets with one fault each.

#include <gtest/gtest.h>

#include "papers/paper_fixture.h"
#include "spreadsheet/automation/chart.h"
#include "spreadsheet/automation/chart_area.h"
#include "spreadsheet/automation/chart_axes.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/chart_parts.h"
#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::papers::testing {
namespace problem4 {

std::shared_ptr<xl::Worksheet> last_sheet(xl::Workbook& b) { return b.Worksheets(Variant(u"기타작업")); }

std::shared_ptr<xl::Shape> button(xl::Workbook& b, int index) { return last_sheet(b)->Shapes()->Item(Variant(index)); }

std::shared_ptr<xl::ChartObject> chart(xl::Workbook& b) { return last_sheet(b)->ChartObjects()->Item(Variant(1)); }

std::shared_ptr<xl::Series> series(xl::Workbook& b, int index) {
  return chart(b)->Chart()->SeriesCollection(Variant(index));
}

struct Fault {
  const char* name;
  Change change;
  std::vector<Row> rows;
  const char16_t* obtained;  // of problem 4
};

class Problem4Test : public PaperTest {
 protected:
  using PaperTest::PaperTest;

  // The answer loses nothing; each target loses exactly its rows, in problem 4 only.
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

class Basic01Problem4Test : public Problem4Test {
 protected:
  Basic01Problem4Test() : Problem4Test(u"2급기초다지기01회", u"5862#9", 1, 0) {}
};

class Basic02Problem4Test : public Problem4Test {
 protected:
  Basic02Problem4Test() : Problem4Test(u"2급기초다지기02회", u"8215&3", 1, 1) {}
};

TEST_F(Basic01Problem4Test, MacroFaultsGiveTheirRows) {
  const std::u16string sheet = u"기타작업";
  ExpectRows({
      {"first button missing", [](xl::Workbook& b) { button(b, 1)->Delete(); },
       {{sheet, u"-5.00", u"매크로 버튼이 존재하지 않습니다"}}, u"15.00"},
      {"second button missing: the run's text", [](xl::Workbook& b) { button(b, 2)->Delete(); },
       {{sheet, u"-5.00", u"백분율 매크로 기능이 없습니다"}}, u"15.00"},
      {"both buttons missing: no macro runs, and the chart on the sheet is still found",
       [](xl::Workbook& b) {
         button(b, 2)->Delete();
         button(b, 1)->Delete();
       },
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

TEST_F(Basic01Problem4Test, ChartFaultsGiveTheirRows) {
  const std::u16string sheet = u"기타작업";
  ExpectRows({
      {"no chart", [](xl::Workbook& b) { chart(b)->Delete(); }, {{sheet, u"-10.00", u"차트가 존재하지 않습니다"}}, u"10.00"},
      {"a second chart", [](xl::Workbook& b) { last_sheet(b)->ChartObjects()->Add(500, 20, 200, 150); },
       {{sheet, u"-10.00", u"차트가 중첩되어 있거나 개수가 틀립니다"}}, u"10.00"},
      {"fonts scale with the chart: no item is tried",
       [](xl::Workbook& b) {
         chart(b)->Chart()->ChartArea()->SetAutoScaleFont(true);
         chart(b)->Chart()->SetHasTitle(false);
       },
       {{sheet, u"-10.00", u"차트 글꼴 자동 크기 조절이 틀립니다"}}, u"10.00"},
      {"second series over other cells: its labels show other values too",
       [](xl::Workbook& b) { series(b, 2)->SetValues(Variant(last_sheet(b)->Range(Variant(u"E5:E8")))); },
       {{sheet, u"-2.00", u"데이타 범위가 틀립니다."}, {sheet, u"-2.00", u"데이터 이름표의 값 표시가 틀립니다"}},
       u"16.00"},
      {"a line chart", [](xl::Workbook& b) { chart(b)->Chart()->SetChartType(4); },
       {{sheet, u"-2.00", u"차트 종류가 틀립니다"}}, u"18.00"},
      {"no title", [](xl::Workbook& b) { chart(b)->Chart()->SetHasTitle(false); },
       {{sheet, u"-2.00", u"차트 제목이 틀립니다"}}, u"18.00"},
      {"no label on the last point of series 2", [](xl::Workbook& b) { series(b, 2)->Points(4)->SetHasDataLabel(false); },
       {{sheet, u"-2.00", u"데이터 이름표의 값 표시가 틀립니다"}}, u"18.00"},
      {"moved 40 points right and made larger: the size is not tried",
       [](xl::Workbook& b) {
         chart(b)->SetLeft(chart(b)->Left() + 40);
         chart(b)->SetWidth(chart(b)->Width() + 60);
       },
       {{sheet, u"-2.00", u"차트 위치가 틀립니다"}}, u"18.00"},
      {"30 points narrower and 10 lower: within the tolerances",
       [](xl::Workbook& b) {
         chart(b)->SetTop(chart(b)->Top() + 10);
         chart(b)->SetWidth(chart(b)->Width() - 30);
       },
       {}, u"20.00"},
      {"30 points wider", [](xl::Workbook& b) { chart(b)->SetWidth(chart(b)->Width() + 30); },
       {{sheet, u"-2.00", u"차트 크기가 틀립니다"}}, u"18.00"},
      {"type and title wrong: a row each",
       [](xl::Workbook& b) {
         chart(b)->Chart()->SetChartType(57);
         chart(b)->Chart()->SetHasTitle(false);
       },
       {{sheet, u"-2.00", u"차트 종류가 틀립니다"}, {sheet, u"-2.00", u"차트 제목이 틀립니다"}}, u"16.00"},
  });
}

TEST_F(Basic02Problem4Test, ChartFaultsGiveTheirRows) {
  const std::u16string sheet = u"기타작업";
  auto value_title = [](xl::Workbook& b) { return chart(b)->Chart()->Axes(2, 1)->AxisTitle(); };
  ExpectRows({
      {"a second chart and both buttons missing: 20 in all",
       [](xl::Workbook& b) {
         last_sheet(b)->ChartObjects()->Add(500, 20, 200, 150);
         button(b, 2)->Delete();
         button(b, 1)->Delete();
       },
       {{sheet, u"-5.00", u"매크로 버튼이 존재하지 않습니다"},
        {sheet, u"-5.00", u"서식 매크로 기능이 없습니다"},
        {sheet, u"-10.00", u"차트가 중첩되어 있거나 개수가 틀립니다"}},
       u"0.00"},
      {"first series over other cells",
       [](xl::Workbook& b) { series(b, 1)->SetValues(Variant(last_sheet(b)->Range(Variant(u"D4:D12")))); },
       {{sheet, u"-2.00", u"차트 데이타범위가 틀립니다"}}, u"18.00"},
      {"a bar chart", [](xl::Workbook& b) { chart(b)->Chart()->SetChartType(57); },
       {{sheet, u"-2.00", u"차트 종류가 틀립니다"}}, u"18.00"},
      {"another title", [](xl::Workbook& b) { chart(b)->Chart()->ChartTitle()->SetText(u"성적"); },
       {{sheet, u"-2.00", u"차트의 제목이 틀립니다"}}, u"18.00"},
      {"another value-axis title in another orientation: the orientation is not tried",
       [&](xl::Workbook& b) {
         value_title(b)->SetText(u"점수(점)");
         value_title(b)->SetOrientation(-4171);
       },
       {{sheet, u"-2.00", u"Y축 제목이 틀렸습니다."}}, u"18.00"},
      {"no value-axis title", [](xl::Workbook& b) { chart(b)->Chart()->Axes(2, 1)->SetHasTitle(false); },
       {{sheet, u"-2.00", u"Y축 제목이 틀렸습니다."}}, u"18.00"},
      {"value-axis title rotated upward", [&](xl::Workbook& b) { value_title(b)->SetOrientation(-4171); },
       {{sheet, u"-2.00", u"차트의 Y축 방향이 틀립니다"}}, u"18.00"},
      {"moved 11 points down", [](xl::Workbook& b) { chart(b)->SetTop(chart(b)->Top() + 11); },
       {{sheet, u"-2.00", u"차트의 위치가 틀립니다"}}, u"18.00"},
      {"31 points shorter", [](xl::Workbook& b) { chart(b)->SetHeight(chart(b)->Height() - 31); },
       {{sheet, u"-2.00", u"차트 크기가 틀립니다"}}, u"18.00"},
  });
}

}  // namespace problem4
}  // namespace tabrel::papers::testing
