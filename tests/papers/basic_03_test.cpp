// The third basic-series paper graded end to end: a phonetic guide, special characters and
// camera pictures in problem 1, formula items tried over several cells, subtotals and a goal
// seek, the sum and table-format macros with their buttons and the chart.

#include <gtest/gtest.h>

#include "papers/paper_fixture.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/chart.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/chart_parts.h"
#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/command_bars.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/phonetics.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::papers::testing {
namespace basic_03 {

constexpr char16_t kTitleSheet[] = u"기본작업-2";
constexpr char16_t kTitle[] = u"◆ 상반기 지점별 매출 현황 ◆";
constexpr char16_t kGuide[] = u"상반기 매출";

class Basic03Test : public PaperTest {
 protected:
  Basic03Test() : PaperTest(u"2급기초다지기03회", u"4*739@", 1, 2) {}
};

// The title retyped with `text` and its guide given again, as the examinee would redo it.
void retitle(xl::Workbook& b, const std::u16string& text, const std::u16string& guide) {
  const auto a1 = cell(b, kTitleSheet, u"A1");
  a1->SetValue(Variant(text));
  a1->Phonetics()->Add(Variant(1), Variant(static_cast<int32_t>(text.size())), Variant(guide));
}

// Moves camera picture `n` (from 1) of the third sheet down by `rows` rows.
void move_picture(xl::Workbook& b, size_t n, int rows) {
  model::Anchor& anchor = b.model().sheets[2]->drawings[n - 1].anchor;
  anchor.row1 += rows;
  anchor.row2 += rows;
}

TEST_F(Basic03Test, AnswerAgainstItselfLosesNothing) {
  ExpectAnswerLosesNothing();
}

using Fault = PaperFault<4>;

TEST_F(Basic03Test, EachFaultGivesItsRowsAndScores) {
  const std::vector<Fault> faults{
      {"two typed values wrong: 5 shared by the 54 filled cells",
       [](xl::Workbook& b) {
         cell(b, u"기본작업-1", u"B5")->SetValue(Variant(u"이하연"));
         cell(b, u"기본작업-1", u"F9")->SetValue(Variant(84.0));
       },
       {{u"기본작업-1", u"-0.09", u"B5 셀의 값이 틀립니다"}, {u"기본작업-1", u"-0.09", u"F9 셀의 값이 틀립니다"}},
       {u"19.82", u"40.00", u"20.00", u"20.00"}},
      {"title merged and centred but without its underline; the font name is not tested",
       [](xl::Workbook& b) {
         const auto title = cell(b, kTitleSheet, u"A1:G1");
         title->Font()->SetUnderline(Variant(-4142));
         title->Font()->SetName(Variant(u"굴림"));
       },
       {{kTitleSheet, u"-2.00", u"A1 셀의 글꼴 밑줄이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"title unmerged: the chain stops at its first test",
       [](xl::Workbook& b) { cell(b, kTitleSheet, u"A1:G1")->UnMerge(); },
       {{kTitleSheet, u"-2.00", u"A1 셀의 병합형식이 틀립니다"}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"another character at the end of the title",
       [](xl::Workbook& b) { retitle(b, u"◆ 상반기 지점별 매출 현황 ◇", kGuide); },
       {{kTitleSheet, u"-2.00", u"A1 특수문자가 틀립니다"}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"guide hidden and its text changed: only the hidden guide is a row",
       [](xl::Workbook& b) {
         retitle(b, kTitle, u"하반기 매출");
         cell(b, kTitleSheet, u"A1")->Phonetic()->SetVisible(Variant(false));
       },
       {{kTitleSheet, u"-2.00", u"셀의 윗주보기가 틀립니다"}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"guide shown with another text", [](xl::Workbook& b) { retitle(b, kTitle, u"하반기 매출"); },
       {{kTitleSheet, u"-2.00", u"셀의 윗주 텍스트가 틀립니다"}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"title retyped without its guide",
       [](xl::Workbook& b) { cell(b, kTitleSheet, u"A1")->SetValue(Variant(kTitle)); },
       {{kTitleSheet, u"-2.00", u"셀의 윗주 텍스트가 틀립니다"}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"name over another range and a border gone",
       [](xl::Workbook& b) {
         b.Names()->Add(u"항목별총액", u"='기본작업-2'!$B$12:$F$12");
         cell(b, kTitleSheet, u"A3")->Borders()->SetLineStyle(Variant(-4142));
       },
       {{kTitleSheet, u"-2.00", u"셀 이름이 틀립니다."}, {kTitleSheet, u"-2.00", u"A3 셀의 괘선 설정이 틀립니다."}},
       {u"16.00", u"40.00", u"20.00", u"20.00"}},
      {"two pictures out of place: one row",
       [](xl::Workbook& b) {
         move_picture(b, 1, 2);
         move_picture(b, 4, 3);
       },
       {{u"기본작업-3", u"-5.00", u"카메라 기능이 틀렸습니다."}},
       {u"15.00", u"40.00", u"20.00", u"20.00"}},
      {"F9 and F10 wrong: one row naming F9; K10 wrong alone",
       [](xl::Workbook& b) {
         cell(b, u"계산작업", u"F9")->SetFormula(Variant(u"=INT(AVERAGE(B3:D8))"));
         cell(b, u"계산작업", u"F10")->SetValue(Variant(90.0));
         cell(b, u"계산작업", u"K10")->SetFormula(Variant(u"=I10"));
       },
       {{u"계산작업", u"-8.00", u"F9 셀의 함수 또는 결과가 틀립니다"},
        {u"계산작업", u"-8.00", u"K10 셀의 함수 또는 결과가 틀립니다"}},
       {u"20.00", u"24.00", u"20.00", u"20.00"}},
      {"C20 typed in and J22 without its function: no blank after the cell",
       [](xl::Workbook& b) {
         cell(b, u"계산작업", u"C20")->SetValue(Variant(u"간호학과-21"));
         cell(b, u"계산작업", u"J22")->SetValue(Variant(3.0));
       },
       {{u"계산작업", u"-8.00", u"C20셀의 함수 또는 결과가 틀립니다"},
        {u"계산작업", u"-8.00", u"J22셀의 함수 또는 결과가 틀립니다"}},
       {u"20.00", u"24.00", u"20.00", u"20.00"}},
      {"a subtotal input and the goal-seek result wrong",
       [](xl::Workbook& b) {
         cell(b, u"분석작업-1", u"E6")->SetValue(Variant(2900000.0));
         cell(b, u"분석작업-2", u"C5")->SetValue(Variant(180.0));
       },
       {{u"분석작업-1", u"-10.00", u"E6 셀의 부분합이 틀렸습니다."},
        {u"분석작업-2", u"-10.00", u"C5 셀의 목표값 찾기 기능이 틀렸습니다."}},
       {u"20.00", u"40.00", u"0.00", u"20.00"}},
      {"goal-seek cell left as a formula of the same result",
       [](xl::Workbook& b) { cell(b, u"분석작업-2", u"C5")->SetFormula(Variant(u"=100*2")); },
       {{u"분석작업-2", u"-10.00", u"C5 셀의 목표값 찾기 기능이 틀렸습니다."}},
       {u"20.00", u"40.00", u"10.00", u"20.00"}},
      {"a bold heading of the subtotals differs: no row",
       [](xl::Workbook& b) { cell(b, u"분석작업-1", u"B4")->SetValue(Variant(u"소속")); },
       {},
       {u"20.00", u"40.00", u"20.00", u"20.00"}},
  };
  ExpectFaults(faults);
}

constexpr char16_t kMacroSheet[] = u"기타작업";

std::shared_ptr<xl::Shape> button(xl::Workbook& b, int index) {
  return b.Worksheets(Variant(kMacroSheet))->Shapes()->Item(Variant(index));
}

std::shared_ptr<xl::ChartObject> chart(xl::Workbook& b) {
  return b.Worksheets(Variant(kMacroSheet))->ChartObjects()->Item(Variant(1));
}

std::shared_ptr<xl::Series> series(xl::Workbook& b, int index) {
  return chart(b)->Chart()->SeriesCollection(Variant(index));
}

// The format macro's format replaced by `format`.
void reformat(xl::Workbook& b, const std::u16string& format) {
  edit_macro(b, u"xlRangeAutoFormatClassic2", format);
}

TEST_F(Basic03Test, MacroAndChartFaultsGiveTheirRows) {
  const std::vector<Fault> faults{
      {"the same table format called another way: no row",
       [](xl::Workbook& b) {
         edit_macro(b, u"AutoFormat Format:=xlRangeAutoFormatClassic2, Number:=True, Font:= _",
                    u"AutoFormat xlRangeAutoFormatClassic2, True, _");
       },
       {},
       {u"20.00", u"40.00", u"20.00", u"20.00"}},
      {"another table format",
       [](xl::Workbook& b) { reformat(b, u"xlRangeAutoFormatClassic3"); },
       {{kMacroSheet, u"-5.00", u"자동서식 매크로 기능의 결과가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"a table format the range cannot take: the macro fails",
       [](xl::Workbook& b) { reformat(b, u"xlRangeAutoFormatReport1"); },
       {{kMacroSheet, u"-5.00", u"자동서식 매크로 기능이 없습니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      // The formatted table holds the sums: without them in the target the format's result
      // differs as well.
      {"sum macro missing", [](xl::Workbook& b) { edit_macro(b, u"Sub 합계()", u"Sub 총계()"); },
       {{kMacroSheet, u"-5.00", u"합계 매크로 기능이 없습니다"},
        {kMacroSheet, u"-5.00", u"자동서식 매크로 기능의 결과가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"10.00"}},
      {"sums over other rows", [](xl::Workbook& b) { edit_macro(b, u"R[-10]C", u"R[-9]C"); },
       {{kMacroSheet, u"-5.00", u"합계 매크로 기능의 결과가 틀립니다"},
        {kMacroSheet, u"-5.00", u"자동서식 매크로 기능의 결과가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"10.00"}},
      {"first button missing: its macro runs in neither workbook",
       [](xl::Workbook& b) { button(b, 1)->Delete(); },
       {{kMacroSheet, u"-5.00", u"매크로 버튼이 존재하지 않습니다"},
        {kMacroSheet, u"-5.00", u"자동서식 매크로 기능의 결과가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"10.00"}},
      {"second button missing: the run's text", [](xl::Workbook& b) { button(b, 2)->Delete(); },
       {{kMacroSheet, u"-5.00", u"자동서식 매크로 기능이 없습니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"first button 31 points to the left", [](xl::Workbook& b) { button(b, 1)->SetLeft(button(b, 1)->Left() - 31); },
       {{kMacroSheet, u"-5.00", u"합계 버튼이름, 위치, 모양이 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"second button's text",
       [](xl::Workbook& b) { button(b, 2)->TextFrame()->Characters()->SetText(u"서식"); },
       {{kMacroSheet, u"-5.00", u"자동서식 버튼이름, 위치 ,모양이 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"no chart: one row of 10 and no item", [](xl::Workbook& b) { chart(b)->Delete(); },
       {{kMacroSheet, u"-10.00", u"차트가 존재하지 않습니다"}},
       {u"20.00", u"40.00", u"20.00", u"10.00"}},
      {"a second chart and no legend: one row of 10, the legend untested",
       [](xl::Workbook& b) {
         chart(b)->Chart()->SetHasLegend(false);
         auto sheet = b.Worksheets(Variant(kMacroSheet));
         sheet->ChartObjects()->Add(500, 20, 200, 150)->Chart()->SetSourceData(*sheet->Range(Variant(u"E3:E8")));
       },
       {{kMacroSheet, u"-10.00", u"차트가 중첩되어 있거나 개수가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"10.00"}},
      {"third series over March of other branches",
       [](xl::Workbook& b) {
         series(b, 3)->SetValues(Variant(b.Worksheets(Variant(kMacroSheet))->Range(Variant(u"G9:G13"))));
       },
       {{kMacroSheet, u"-2.00", u"차트 데이타범위가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"a line chart", [](xl::Workbook& b) { chart(b)->Chart()->SetChartType(4); },
       {{kMacroSheet, u"-2.00", u"차트 종류가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"no title", [](xl::Workbook& b) { chart(b)->Chart()->SetHasTitle(false); },
       {{kMacroSheet, u"-2.00", u"차트의 제목이 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"labels of points 2 and 3 gone: one row",
       [](xl::Workbook& b) {
         series(b, 1)->Points(2)->SetHasDataLabel(false);
         series(b, 1)->Points(3)->SetHasDataLabel(false);
       },
       {{kMacroSheet, u"-2.00", u"데이타이름표 값표시가 틀렸습니다."}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"chart moved down", [](xl::Workbook& b) { chart(b)->SetTop(chart(b)->Top() + 30); },
       {{kMacroSheet, u"-2.00", u"차트의 위치가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"legend on the right", [](xl::Workbook& b) { chart(b)->Chart()->Legend()->SetPosition(-4152); },
       {{kMacroSheet, u"-2.00", u"범례 위치가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"every chart item wrong: the score falls below zero",
       [](xl::Workbook& b) {
         edit_macro(b, u"Sub 합계()", u"Sub 총계()");
         button(b, 2)->Delete();
         series(b, 3)->SetValues(Variant(b.Worksheets(Variant(kMacroSheet))->Range(Variant(u"G9:G13"))));
         chart(b)->Chart()->SetChartType(4);
         chart(b)->Chart()->SetHasTitle(false);
         series(b, 1)->Points(1)->SetHasDataLabel(false);
         chart(b)->SetTop(chart(b)->Top() + 30);
         chart(b)->Chart()->Legend()->SetPosition(-4152);
       },
       {{kMacroSheet, u"-5.00", u"합계 매크로 기능이 없습니다"},
        {kMacroSheet, u"-5.00", u"자동서식 매크로 기능이 없습니다"},
        {kMacroSheet, u"-2.00", u"차트 데이타범위가 틀립니다"},
        {kMacroSheet, u"-2.00", u"차트 종류가 틀립니다"},
        {kMacroSheet, u"-2.00", u"차트의 제목이 틀립니다"},
        {kMacroSheet, u"-2.00", u"데이타이름표 값표시가 틀렸습니다."},
        {kMacroSheet, u"-2.00", u"차트의 위치가 틀립니다"},
        {kMacroSheet, u"-2.00", u"범례 위치가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"-2.00"}},
  };
  ExpectFaults(faults);
}

// The camera button lives in the application's settings, which every instance shares.
class CameraToolbarHidden {
 public:
  CameraToolbarHidden() : bar_(xl::Application::New()->CommandBars()->Item(Variant(u"Standard"))) {
    bar_->SetVisible(false);
  }
  ~CameraToolbarHidden() { bar_->SetVisible(true); }

 private:
  std::shared_ptr<xl::CommandBar> bar_;
};

TEST_F(Basic03Test, WithoutTheCameraButtonThePicturesAreNotTested) {
  const auto target = MakeTarget([](xl::Workbook& b) { move_picture(b, 2, 4); });
  {
    CameraToolbarHidden hidden;
    Grade(target);
  }
  EXPECT_EQ(Rows(), (std::vector<Row>{{u"기본작업-3", u"-5.00", u"도구에 카메라가 없습니다."}}));
  EXPECT_EQ(Obtained(1), u"15.00");
}

TEST_F(Basic03Test, DisqualificationLeavesTheFifthLabel) {
  const std::u16string fifth = shell.comtest.Label7[1].Caption();
  Grade(MakeTarget([](xl::Workbook& b) { b.Worksheets(Variant(u"분석작업-2"))->SetName(u"분석작업"); }));
  EXPECT_EQ(Rows(), (std::vector<Row>{{u"실격", u"-100.00", u"시트의 이름, 개수, 순서가 틀림"}}));
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(Obtained(p), u"0.00");
  EXPECT_EQ(shell.comtest.Label7[1].Caption(), fifth);
  EXPECT_EQ(Total(), u"실격");
  EXPECT_TRUE(dialogs.verdicts.empty());
}

TEST_F(Basic03Test, HiddenExtraSheetIsRemovedBeforeGrading) { ExpectHiddenExtraSheetLosesNothing(); }

TEST_F(Basic03Test, RequestsThatCannotOpenAWorkbookEndInTheErrorHandler) { ExpectUnopenableRequestsFail(); }

}  // namespace basic_03
}  // namespace tabrel::papers::testing
