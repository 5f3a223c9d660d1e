// The fourth basic-series paper graded end to end: the answer against itself, targets with one
// fault each, and the requests that end before any problem.

#include <gtest/gtest.h>

#include "papers/paper_fixture.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/chart.h"
#include "spreadsheet/automation/chart_axes.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/code_module.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::papers::testing {
namespace basic_04 {

class Basic04Test : public PaperTest {
 protected:
  Basic04Test() : PaperTest(u"2급기초다지기04회", u"9#2&5", 1, 3) {}
};

TEST_F(Basic04Test, AnswerAgainstItselfLosesNothing) {
  Grade(AnswerFile());
  EXPECT_EQ(Rows(), std::vector<Row>{});
  EXPECT_EQ(TotalRow(), u"0");
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(Obtained(p), p == 2 ? u"40.00" : u"20.00") << "problem " << p;
  EXPECT_EQ(Total(), u"100.00");
  ASSERT_EQ(dialogs.verdicts.size(), 1u);
  EXPECT_EQ(dialogs.verdicts[0].Label3.Caption(), shell::kVerdictPass);
  EXPECT_FALSE(shell.excel.AnswerExcel || shell.excel.TargetExcel);
}

std::shared_ptr<xl::Worksheet> last_sheet(xl::Workbook& b) { return b.Worksheets(Variant(u"기타작업")); }
std::shared_ptr<xl::Shape> button(xl::Workbook& b, int index) { return last_sheet(b)->Shapes()->Item(Variant(index)); }
std::shared_ptr<xl::ChartObject> chart_object(xl::Workbook& b) { return last_sheet(b)->ChartObjects()->Item(Variant(1)); }
std::shared_ptr<xl::Chart> chart(xl::Workbook& b) { return chart_object(b)->Chart(); }


using Fault = PaperFault<4>;

const std::vector<Fault>& Faults() {
  static const std::vector<Fault> faults{
      // 49 filled answer cells: each wrong one costs 5 / 49, shown as 0.10.
      {"wrong value",
       [](xl::Workbook& b) { cell(b, u"기본작업-1", u"B5")->SetValue(Variant(u"이도현")); },
       {{u"기본작업-1", u"-0.10", u"B5 셀의 값이 틀립니다"}},
       {u"19.90", u"40.00", u"20.00", u"20.00"}},
      {"every entry wrong",
       [](xl::Workbook& b) { cell(b, u"기본작업-1", u"A3:G9")->SetValue(Variant(u"x")); },
       {{u"기본작업-1", u"-5.00", u"모든 입력작업의 내용이 틀립니다"}},
       {u"15.00", u"40.00", u"20.00", u"20.00"}},
      {"title not bold",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"A1:G1")->Font()->SetBold(Variant(false)); },
       {{u"기본작업-2", u"-2.00", u"A1 셀의 글꼴 굵기가 틀립니다."}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"title not italic",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"A1:G1")->Font()->SetItalic(Variant(false)); },
       {{u"기본작업-2", u"-2.00", u"A1 셀의 글꼴 기울임이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"title unmerged in another font: the chain's first row only",
       [](xl::Workbook& b) {
         cell(b, u"기본작업-2", u"A1:G1")->UnMerge();
         cell(b, u"기본작업-2", u"A1:G1")->Font()->SetName(Variant(u"돋움"));
       },
       {{u"기본작업-2", u"-2.00", u"A1 셀의 병합이 틀립니다"}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"special characters left out of the title",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"A1")->SetValue(Variant(u"영업사원 상반기 실적 현황")); },
       {{u"기본작업-2", u"-2.00", u"A1 특수문자가 틀립니다"}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"two format items wrong: no blank after the cell",
       [](xl::Workbook& b) {
         cell(b, u"기본작업-2", u"E5:E12")->SetNumberFormat(Variant(u"#,##0"));
         cell(b, u"기본작업-2", u"B5:C12")->SetNumberFormat(Variant(u"General"));
       },
       {{u"기본작업-2", u"-2.00", u"E5셀 서식이 틀립니다."}, {u"기본작업-2", u"-2.00", u"B5셀 서식이 틀립니다."}},
       {u"16.00", u"40.00", u"20.00", u"20.00"}},
      {"date format wrong",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"G5:G12")->SetNumberFormat(Variant(u"yyyy-mm-dd")); },
       {{u"기본작업-2", u"-2.00", u"G5셀 서식이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"no borders",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"A4:G12")->Borders()->SetLineStyle(Variant(-4142)); },
       {{u"기본작업-2", u"-2.00", u"A4 셀의 괘선 설정이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00", u"20.00"}},
      {"advanced filter keeps another row",
       [](xl::Workbook& b) { cell(b, u"기본작업-3", u"B21")->SetValue(Variant(u"A-109")); },
       {{u"기본작업-3", u"-5.00", u" 고급 필터 결과가 틀립니다"}},
       {u"15.00", u"40.00", u"20.00", u"20.00"}},
      {"a further criteria row under the criteria",
       [](xl::Workbook& b) { cell(b, u"기본작업-3", u"B17")->SetValue(Variant(u"총무부")); },
       {{u"기본작업-3", u"-5.00", u" 고급 필터 결과가 틀립니다"}},
       {u"15.00", u"40.00", u"20.00", u"20.00"}},
      {"first and third formula items wrong",
       [](xl::Workbook& b) {
         cell(b, u"계산작업", u"E4")->SetValue(Variant(u"재시험"));
         cell(b, u"계산작업", u"E11")->SetFormula(Variant(u"=DAVERAGE(A2:E7,3,A10:A11)"));
       },
       {{u"계산작업", u"-8.00", u"E4 셀의 함수 또는 결과가 틀립니다"},
        {u"계산작업", u"-8.00", u"E11 셀의 함수 또는 결과가 틀립니다"}},
       {u"20.00", u"24.00", u"20.00", u"20.00"}},
      {"weekday, lookup and sum items wrong",
       [](xl::Workbook& b) {
         cell(b, u"계산작업", u"J5")->SetFormula(Variant(u"=WEEKDAY(I5,2)"));
         cell(b, u"계산작업", u"K16")->SetFormula(Variant(u"=HLOOKUP(MAX(C16:J16),$B$26:$F$27,2,TRUE)"));
         cell(b, u"계산작업", u"B33")->SetFormula(Variant(u"=SUM(J15,J17,J20,J23)"));
       },
       {{u"계산작업", u"-8.00", u"J5 셀의 함수 또는 결과가 틀립니다"},
        {u"계산작업", u"-8.00", u"K16 셀의 함수 또는 결과가 틀립니다"},
        {u"계산작업", u"-8.00", u"B33 셀의 함수 또는 결과가 틀립니다"}},
       {u"20.00", u"16.00", u"20.00", u"20.00"}},
      {"pivot table left on one 지점: compared with every 지점 shown",
       [](xl::Workbook& b) {
         cell(b, u"분석작업-1", u"C17")->SetValue(Variant(u"서울"));
         ASSERT_EQ(cell(b, u"분석작업-1", u"F24")->Value().to_string(), u"212700000");
       },
       {},
       {u"20.00", u"40.00", u"20.00", u"20.00"}},
      {"scenario summary wrong: the names are not tested",
       [](xl::Workbook& b) {
         cell(b, u"시나리오 요약", u"E8")->SetValue(Variant(11000000.0));
         b.Names()->Add(u"기본상여율", u"='분석작업-2'!$C$13");
       },
       {{u"시나리오 요약", u"-10.00", u"시나리오 요약의 결과가 틀립니다"}},
       {u"20.00", u"40.00", u"10.00", u"20.00"}},
      {"a name refers elsewhere: its row carries the names' sheet",
       [](xl::Workbook& b) {
         b.Names()->Add(u"수당합계", u"='분석작업-2'!$E$10");
       },
       {{u"분석작업-2", u"-10.00", u"셀 이름이 틀립니다."}},
       {u"20.00", u"40.00", u"10.00", u"20.00"}},
      {"both names refer elsewhere: one row",
       [](xl::Workbook& b) {
         b.Names()->Add(u"기본상여율", u"='분석작업-2'!$C$13");
         b.Names()->Add(u"수당합계", u"='분석작업-2'!$E$10");
       },
       {{u"분석작업-2", u"-10.00", u"셀 이름이 틀립니다."}},
       {u"20.00", u"40.00", u"10.00", u"20.00"}},
      {"first button missing", [](xl::Workbook& b) { button(b, 1)->Delete(); },
       {{u"기타작업", u"-5.00", u"매크로 버튼이 존재하지 않습니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"second button missing: the run's text", [](xl::Workbook& b) { button(b, 2)->Delete(); },
       {{u"기타작업", u"-5.00", u"서식 매크로 기능이 없습니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"first macro sums other cells",
       [](xl::Workbook& b) { edit_macro(b, u"RC[-4]:RC[-2]", u"RC[-4]:RC[-3]"); },
       {{u"기타작업", u"-5.00", u"합계 매크로 기능의 결과가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"second macro fills another colour",
       [](xl::Workbook& b) { edit_macro(b, u".ColorIndex = 36", u".ColorIndex = 6"); },
       {{u"기타작업", u"-5.00", u"서식 매크로 기능의 결과가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"second button 31 points to the left",
       [](xl::Workbook& b) { button(b, 2)->SetLeft(button(b, 2)->Left() - 31); },
       {{u"기타작업", u"-5.00", u"서식 버튼이름, 위치 ,모양이 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"15.00"}},
      {"no chart", [](xl::Workbook& b) { chart_object(b)->Delete(); },
       {{u"기타작업", u"-10.00", u"차트가 존재하지 않습니다"}},
       {u"20.00", u"40.00", u"20.00", u"10.00"}},
      {"two charts", [](xl::Workbook& b) { last_sheet(b)->ChartObjects()->Add(400, 300, 200, 150); },
       {{u"기타작업", u"-10.00", u"차트가 중첩되어 있거나 개수가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"10.00"}},
      {"second series from other cells",
       [](xl::Workbook& b) { chart(b)->SeriesCollection(Variant(2))->SetValues(Variant(u"=기타작업!$E$5:$E$10")); },
       {{u"기타작업", u"-2.00", u"데이타 범위가 틀립니다."}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"every series a line", [](xl::Workbook& b) { chart(b)->SetChartType(4); },
       {{u"기타작업", u"-2.00", u"차트 종류가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"no chart title and no secondary axis title: only the title's row",
       [](xl::Workbook& b) {
         chart(b)->SetHasTitle(false);
         chart(b)->Axes(2, 2)->SetHasTitle(false);
       },
       {{u"기타작업", u"-2.00", u"차트 제목이 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"no secondary axis title", [](xl::Workbook& b) { chart(b)->Axes(2, 2)->SetHasTitle(false); },
       {{u"기타작업", u"-2.00", u"보조 Y축 제목이 틀렸습니다."}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"one point without its label",
       [](xl::Workbook& b) { chart(b)->SeriesCollection(Variant(2))->Points(3)->SetHasDataLabel(false); },
       {{u"기타작업", u"-2.00", u"데이터 이름표의 값 표시가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"chart moved and resized: only the position's row",
       [](xl::Workbook& b) {
         chart_object(b)->SetTop(chart_object(b)->Top() + 100);
         chart_object(b)->SetHeight(chart_object(b)->Height() + 60);
       },
       {{u"기타작업", u"-2.00", u"차트 위치가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
      {"chart resized", [](xl::Workbook& b) { chart_object(b)->SetWidth(chart_object(b)->Width() + 80); },
       {{u"기타작업", u"-2.00", u"차트 크기가 틀립니다"}},
       {u"20.00", u"40.00", u"20.00", u"18.00"}},
  };
  return faults;
}

TEST_F(Basic04Test, EachFaultGivesItsRowsAndScores) {
  ExpectFaults(Faults());
}

TEST_F(Basic04Test, RenamedSheetDisqualifies) {
  Grade(MakeTarget([](xl::Workbook& b) { b.Worksheets(Variant(u"시나리오 요약"))->SetName(u"요약"); }));
  EXPECT_EQ(Rows(), (std::vector<Row>{{u"실격", u"-100.00", u"시트의 이름, 개수, 순서가 틀림"}}));
  EXPECT_EQ(Total(), u"실격");
  EXPECT_TRUE(dialogs.verdicts.empty());
}

TEST_F(Basic04Test, MissingSheetDisqualifiesAndHiddenExtraSheetIsRemoved) {
  ExpectDisqualified([](xl::Workbook& b) { b.Worksheets(Variant(u"분석작업-1"))->Delete(); });
  ExpectHiddenExtraSheetLosesNothing();
}

TEST_F(Basic04Test, TargetNoProgramOpensShowsItsMessageWithoutIcon) {
  const auto folder_named_like_a_workbook = folder.path() / "답안.xls";
  std::filesystem::create_directories(folder_named_like_a_workbook);
  Grade(folder_named_like_a_workbook);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, u"엑셀파일이 존재하지 않거나 기타 이유로 실행이 불가능합니다");
  EXPECT_EQ(dialogs.messages[0].icon, shell::MsgBoxIcon::None);
  EXPECT_EQ(Rows(), std::vector<Row>{});
}

TEST_F(Basic04Test, RequestsThatCannotOpenAWorkbookEndInTheErrorHandler) {
  const auto wrong_password = MakeTarget([](xl::Workbook&) {}, u"5862#9");
  const auto not_a_workbook = folder.Write("메모.xls", "plain text");
  for (const auto& target : {wrong_password, not_a_workbook}) {
    SCOPED_TRACE(target.string());
    Grade(target);
    EXPECT_EQ(shell.LastOutcome(), shell::RequestOutcome::Failed);
    EXPECT_EQ(Rows(), std::vector<Row>{});
    EXPECT_EQ(shell.comtest.Label6.Caption(), shell::kGradingErrorMessage);
  }
  const auto right_target = MakeTarget([](xl::Workbook&) {});
  std::filesystem::remove(AnswerFile());
  Grade(right_target);
  EXPECT_EQ(shell.LastOutcome(), shell::RequestOutcome::Failed);
}

}  // namespace basic_04
}  // namespace tabrel::papers::testing
