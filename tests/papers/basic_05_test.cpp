// The fifth basic-series paper graded end to end: the answer against itself, targets with one
// fault each, the pass mark, and the requests that end before any problem.

#include <gtest/gtest.h>

#include "papers/paper_fixture.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/chart.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/chart_parts.h"
#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/code_module.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::papers::testing {
namespace basic_05 {

class Basic05Test : public PaperTest {
 protected:
  Basic05Test() : PaperTest(u"2급기초다지기05회", u"71&958", 1, 4) {}
};

TEST_F(Basic05Test, AnswerAgainstItselfLosesNothing) {
  Grade(AnswerFile());
  ASSERT_EQ(shell.LastOutcome(), shell::RequestOutcome::Graded) << to_utf8(shell.LastErrorDescription());
  EXPECT_EQ(Rows(), std::vector<Row>{});
  EXPECT_EQ(TotalRow(), u"0");
  for (int p : {1, 3, 4}) EXPECT_EQ(Obtained(p), u"20.00") << "problem " << p;
  EXPECT_EQ(Obtained(2), u"40.00");
  EXPECT_EQ(Total(), u"100.00");
  ASSERT_EQ(dialogs.verdicts.size(), 1u);
  EXPECT_EQ(dialogs.verdicts[0].Label3.Caption(), shell::kVerdictPass);
}

std::shared_ptr<xl::Shape> button(xl::Workbook& b, int index) {
  return b.Worksheets(Variant(u"기타작업"))->Shapes()->Item(Variant(index));
}

std::shared_ptr<xl::ChartObject> chart(xl::Workbook& b) {
  return b.Worksheets(Variant(u"기타작업"))->ChartObjects()->Item(Variant(1));
}

std::shared_ptr<xl::Series> series(xl::Workbook& b, int index) {
  return chart(b)->Chart()->SeriesCollection(Variant(index));
}


using Fault = PaperFault<4>;

const std::vector<Fault>& Faults() {
  static const std::vector<Fault> faults{
      // 54 filled answer cells: 5 / 54 shown with two decimals.
      {"two wrong values: a row of 0.09 each",
       [](xl::Workbook& b) {
         cell(b, u"기본작업-1", u"B5")->SetValue(Variant(u"박준수"));
         cell(b, u"기본작업-1", u"F9")->SetValue(Variant(3200.0));
       },
       {{u"기본작업-1", u"-0.09", u"B5 셀의 값이 틀립니다"}, {u"기본작업-1", u"-0.09", u"F9 셀의 값이 틀립니다"}},
       {u"19.82", u"40.00", u"20.00", u"20.00"}},
      {"every entry wrong",
       [](xl::Workbook& b) { cell(b, u"기본작업-1", u"A2:F10")->SetValue(Variant(u"x")); },
       {{u"기본작업-1", u"-5.00", u"모든 입력작업의 내용이 틀립니다"}},
       {u"15.00", u"40.00", u"20.00", u"20.00"}},
      {"title neither merged nor in its font: the merge row only",
       [](xl::Workbook& b) {
         cell(b, u"기본작업-2", u"A1:G1")->UnMerge();
         cell(b, u"기본작업-2", u"A1:G1")->Font()->SetName(Variant(u"굴림"));
       },
       {{u"기본작업-2", u"-2.00", u"A1:G1 셀 병합이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"title not italic",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"A1:G1")->Font()->SetItalic(Variant(false)); },
       {{u"기본작업-2", u"-2.00", u"A1:G1 셀의 글꼴 기울임꼴이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"title size: the cell joins the text without a blank",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"A1:G1")->Font()->SetSize(Variant(14.0)); },
       {{u"기본작업-2", u"-2.00", u"A1셀1의 글꼴 크기가 틀립니다."}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"heading neither centred nor filled: the centring row only",
       [](xl::Workbook& b) {
         cell(b, u"기본작업-2", u"A3:G3")->SetHorizontalAlignment(Variant(1.0));
         cell(b, u"기본작업-2", u"A3:G3")->Interior()->SetColorIndex(Variant(-4142.0));
       },
       {{u"기본작업-2", u"-2.00", u"A3 셀의 수평 가운데 맞춤이 틀립니다"}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"one heading cell of another fill",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"C3")->Interior()->SetColorIndex(Variant(4.0)); },
       {{u"기본작업-2", u"-2.00", u"C3 셀의 배경색이 틀립니다"}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"quantity and share formats wrong: the first failing member only",
       [](xl::Workbook& b) {
         cell(b, u"기본작업-2", u"D7")->SetNumberFormat(Variant(u"#,##0"));
         cell(b, u"기본작업-2", u"G6")->SetNumberFormat(Variant(u"0%"));
       },
       {{u"기본작업-2", u"-2.00", u"D7셀 서식이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"share format wrong",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"G6")->SetNumberFormat(Variant(u"0%")); },
       {{u"기본작업-2", u"-2.00", u"G6셀 서식이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"hanja replaced by hangul",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"D3")->SetValue(Variant(u"판매량")); },
       {{u"기본작업-2", u"-2.00", u"한자가 틀립니다"}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"no borders",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"A3:G11")->Borders()->SetLineStyle(Variant(-4142.0)); },
       {{u"기본작업-2", u"-2.00", u"A4 셀의 괘선 설정이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"two rows of the list swapped: one row without a cell",
       [](xl::Workbook& b) {
         auto first = cell(b, u"기본작업-3", u"A4:G4");
         auto last = cell(b, u"기본작업-3", u"A12:G12");
         const Variant kept = first->Value();
         first->SetValue(last->Value());
         last->SetValue(kept);
       },
       {{u"기본작업-3", u"-5.00", u"정렬 결과가 틀립니다."}},
       {u"15.00", u"40.00", u"20.00", u"20.00"}},
      {"completion without COUNT, same result",
       [](xl::Workbook& b) {
         cell(b, u"계산작업", u"E5")->SetFormula(Variant(u"=IF(B5+C5+D5>0,\"수료\",\"미수료\")"));
       },
       {{u"계산작업", u"-8.00", u"E5 셀의 함수 또는 결과가 틀립니다"}},
       {u"20.00", u"32.00", u"20.00", u"20.00"}},
      {"award typed and difference without ABS: two rows",
       [](xl::Workbook& b) {
         cell(b, u"계산작업", u"J4")->SetValue(Variant(u"대상"));
         cell(b, u"계산작업", u"K28")->SetFormula(
             Variant(u"=DAVERAGE(G16:K25,5,N16:N17)-DAVERAGE(G16:K25,5,M16:M17)"));
       },
       {{u"계산작업", u"-8.00", u"J4 셀의 함수 또는 결과가 틀립니다"},
        {u"계산작업", u"-8.00", u"K28 셀의 함수 또는 결과가 틀립니다"}},
       {u"20.00", u"24.00", u"20.00", u"20.00"}},
      {"regional sum typed as a number",
       [](xl::Workbook& b) { cell(b, u"계산작업", u"D27")->SetValue(Variant(41.0)); },
       {{u"계산작업", u"-8.00", u"D27 셀의 함수 또는 결과가 틀립니다"}},
       {u"20.00", u"32.00", u"20.00", u"20.00"}},
      {"consolidation wrong; goal seek showing the answer's text with another number",
       [](xl::Workbook& b) {
         cell(b, u"분석작업-1", u"C16")->SetValue(Variant(8200000.0));
         cell(b, u"분석작업-2", u"D11")->SetValue(Variant(3823.0));
       },
       {{u"분석작업-1", u"-10.00", u"데이터 통합 결과가 틀립니다."},
        {u"분석작업-2", u"-10.00", u"목표값 찾기 결과가 틀립니다."}},
       {u"20.00", u"40.00", u"0.00", u"20.00"}},
      {"goal seek not run: one row",
       [](xl::Workbook& b) { cell(b, u"분석작업-2", u"D11")->SetValue(Variant(3900.0)); },
       {{u"분석작업-2", u"-10.00", u"목표값 찾기 결과가 틀립니다."}},
       {u"20.00", u"40.00", u"10.00", u"20.00"}},
      {"first button missing",
       [](xl::Workbook& b) { button(b, 1)->Delete(); },
       {{u"기타작업", u"-5.00", u"매크로 버튼이 존재하지 않습니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"second button missing: the run's text",
       [](xl::Workbook& b) { button(b, 2)->Delete(); },
       {{u"기타작업", u"-5.00", u"서식 매크로 기능이 없습니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"first macro missing from the module",
       [](xl::Workbook& b) { edit_macro(b, u"Sub 합계()", u"Sub 총계()"); },
       {{u"기타작업", u"-5.00", u"합계 매크로 기능이 없습니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"first macro sums other rows",
       [](xl::Workbook& b) { edit_macro(b, u"R[-10]C", u"R[-9]C"); },
       {{u"기타작업", u"-5.00", u"합계 매크로 기능의 결과가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"second macro gives another format",
       [](xl::Workbook& b) { edit_macro(b, u"\"0.0%\"", u"\"0%\""); },
       {{u"기타작업", u"-5.00", u"서식 매크로 기능의 결과가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"second button 31 points to the right",
       [](xl::Workbook& b) { button(b, 2)->SetLeft(button(b, 2)->Left() + 31); },
       {{u"기타작업", u"-5.00", u"서식 버튼이름, 위치 ,모양이 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"no chart: one row of 10 and no item",
       [](xl::Workbook& b) { chart(b)->Delete(); },
       {{u"기타작업", u"-10.00", u"차트가 존재하지 않습니다"}},
       {u"20.00", u"40.00", u"20.00", u"10.00"}},
      {"a second chart: one row of 10 and no item",
       [](xl::Workbook& b) {
         auto sheet = b.Worksheets(Variant(u"기타작업"));
         sheet->ChartObjects()->Add(400, 20, 200, 150)->Chart()->SetSourceData(*sheet->Range(Variant(u"A2:B7")));
       },
       {{u"기타작업", u"-10.00", u"차트가 중첩되어 있거나 개수가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"10.00"}},
      {"second series over the third quarter",
       [](xl::Workbook& b) {
         auto sheet = b.Worksheets(Variant(u"기타작업"));
         series(b, 2)->SetValues(Variant(sheet->Range(Variant(u"D3:D7"))));
       },
       {{u"기타작업", u"-2.00", u"데이타 범위가 틀립니다."}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"first series as bars",
       [](xl::Workbook& b) { series(b, 1)->SetChartType(57); },
       {{u"기타작업", u"-2.00", u"차트 종류가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"no title",
       [](xl::Workbook& b) { chart(b)->Chart()->SetHasTitle(false); },
       {{u"기타작업", u"-2.00", u"차트 제목이 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"second series neither smoothed nor red: the smoothing row only",
       [](xl::Workbook& b) {
         series(b, 2)->SetSmooth(false);
         series(b, 2)->Border()->SetColorIndex(5);
       },
       {{u"기타작업", u"-2.00", u"계열의 선을 완만하게 설정이 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"second series of another colour",
       [](xl::Workbook& b) { series(b, 2)->Border()->SetColorIndex(5); },
       {{u"기타작업", u"-2.00", u"계열의 선 색이 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"chart moved and resized: the position row only",
       [](xl::Workbook& b) {
         chart(b)->SetTop(chart(b)->Top() + 11);
         chart(b)->SetWidth(chart(b)->Width() + 40);
       },
       {{u"기타작업", u"-2.00", u"차트 위치가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"chart resized",
       [](xl::Workbook& b) { chart(b)->SetHeight(chart(b)->Height() - 31); },
       {{u"기타작업", u"-2.00", u"차트 크기가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
  };
  return faults;
}

TEST_F(Basic05Test, EachFaultGivesItsRowsAndScores) {
  ExpectFaults(Faults());
}

TEST_F(Basic05Test, SeventyPointsPassAndLessFails) {
  // 10 + 10 + 8 + 2 points.
  const Change thirty = [](xl::Workbook& b) {
    cell(b, u"분석작업-1", u"B14")->SetValue(Variant(31.0));
    cell(b, u"분석작업-2", u"D11")->SetValue(Variant(3900.0));
    cell(b, u"계산작업", u"D27")->SetValue(Variant(41.0));
    cell(b, u"기본작업-2", u"D3")->SetValue(Variant(u"판매량"));
  };
  Grade(MakeTarget(thirty));
  EXPECT_EQ(Total(), u"70.00");
  Grade(MakeTarget([&](xl::Workbook& b) {
    thirty(b);
    cell(b, u"기본작업-1", u"C3")->SetValue(Variant(u"여"));
  }));
  EXPECT_EQ(Total(), u"69.91");
  ASSERT_EQ(dialogs.verdicts.size(), 2u);
  EXPECT_EQ(dialogs.verdicts[0].Label3.Caption(), shell::kVerdictPass);
  EXPECT_EQ(dialogs.verdicts[1].Label3.Caption(), shell::kVerdictFail);
}

TEST_F(Basic05Test, MissingSheetDisqualifies) {
  Grade(MakeTarget([](xl::Workbook& b) { b.Worksheets(Variant(u"분석작업-1"))->Delete(); }));
  EXPECT_EQ(Rows(), (std::vector<Row>{{u"실격", u"-100.00", u"시트의 이름, 개수, 순서가 틀림"}}));
  EXPECT_EQ(Total(), u"실격");
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(Obtained(p), u"0.00");
  EXPECT_EQ(shell.comtest.Label7[1].Caption(), u"0");
  EXPECT_TRUE(dialogs.verdicts.empty());
}

TEST_F(Basic05Test, HiddenExtraSheetIsRemovedBeforeGrading) { ExpectHiddenExtraSheetLosesNothing(); }

TEST_F(Basic05Test, RequestsThatCannotOpenAWorkbookEndInTheErrorHandler) { ExpectUnopenableRequestsFail(); }

}  // namespace basic_05
}  // namespace tabrel::papers::testing
