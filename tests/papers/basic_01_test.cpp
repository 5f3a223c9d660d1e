// The first basic-series paper graded end to end: the answer against itself, targets with one
// fault each, and the requests that end before any problem.

#include <gtest/gtest.h>

#include "papers/paper_fixture.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/format_conditions.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::papers::testing {
namespace basic_01 {

class Basic01Test : public PaperTest {
 protected:
  Basic01Test() : PaperTest(u"2급기초다지기01회", u"5862#9", 1, 0) {}
};

TEST_F(Basic01Test, AnswerAgainstItselfLosesNothing) {
  ExpectAnswerLosesNothing();
  EXPECT_FALSE(shell.excel.AnswerExcel || shell.excel.TargetExcel);
}

using Fault = PaperFault<3>;

const std::vector<Fault>& Faults() {
  static const std::vector<Fault> faults{
      {"wrong value",
       [](xl::Workbook& b) { cell(b, u"기본작업-1", u"B5")->SetValue(Variant(u"이서윤")); },
       {{u"기본작업-1", u"-0.10", u"B5 셀의 값이 틀립니다"}},
       {u"19.90", u"40.00", u"20.00"}},
      {"every entry wrong",
       [](xl::Workbook& b) { cell(b, u"기본작업-1", u"A3:F10")->SetValue(Variant(u"x")); },
       {{u"기본작업-1", u"-5.00", u"모든 입력작업의 내용이 틀립니다"}},
       {u"15.00", u"40.00", u"20.00"}},
      {"title not bold",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"A1:G1")->Font()->SetBold(Variant(false)); },
       {{u"기본작업-2", u"-2.00", u"A1셀의 글꼴 굵기가 틀립니다."}},
       {u"18.00", u"40.00", u"20.00"}},
      {"title neither merged nor bold: the chain's first row only",
       [](xl::Workbook& b) {
         cell(b, u"기본작업-2", u"A1:G1")->UnMerge();
         cell(b, u"기본작업-2", u"A1:G1")->Font()->SetBold(Variant(false));
       },
       {{u"기본작업-2", u"-2.00", u"A1셀 병합이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00"}},
      {"quantity format without its unit: no blank after the cell",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"D6")->SetNumberFormat(Variant(u"#,##0")); },
       {{u"기본작업-2", u"-2.00", u"D6셀 서식이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00"}},
      {"heading row aligned left",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"B3:G3")->SetHorizontalAlignment(Variant(-4131.0)); },
       {{u"기본작업-2", u"-2.00", u"B3 셀의 수평 가운데 맞춤이 틀립니다"}},
       {u"18.00", u"40.00", u"20.00"}},
      {"comma style replaced by the general format",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"E4:F12")->SetNumberFormat(Variant(u"General")); },
       {{u"기본작업-2", u"-2.00", u"E4셀 스타일이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00"}},
      {"hanja replaced by hangul",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"D3")->SetValue(Variant(u"판매량")); },
       {{u"기본작업-2", u"-2.00", u"한자가 틀립니다"}},
       {u"18.00", u"40.00", u"20.00"}},
      {"no borders",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"A3:G13")->Borders()->SetLineStyle(Variant(-4142)); },
       {{u"기본작업-2", u"-2.00", u"A3 셀의 괘선 설정이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00"}},
      {"conditional format missing",
       [](xl::Workbook& b) { cell(b, u"기본작업-3", u"A4:F13")->FormatConditions()->Delete(); },
       {{u"기본작업-3", u"-5.00", u"A4셀의 글꼴 색이 틀립니다."}},
       {u"15.00", u"40.00", u"20.00"}},
      {"first and fifth formula items wrong",
       [](xl::Workbook& b) {
         cell(b, u"계산작업", u"B17")->SetValue(Variant(7.0));
         cell(b, u"계산작업", u"C38")->SetFormula(Variant(u"=IF(B38>=85,\"우수\",\"보통\")"));
       },
       {{u"계산작업", u"-8.00", u"B17 셀의 함수 또는 결과가 틀립니다"},
        {u"계산작업", u"-8.00", u"C38 셀의 함수 또는 결과가 틀립니다"}},
       {u"20.00", u"24.00", u"20.00"}},
      {"lookup without LEFT",
       [](xl::Workbook& b) { cell(b, u"계산작업", u"I4")->SetFormula(Variant(u"=HLOOKUP(\"M\",$K$2:$M$3,2,FALSE)")); },
       {{u"계산작업", u"-8.00", u"I4 셀의 함수 또는 결과가 틀립니다"}},
       {u"20.00", u"32.00", u"20.00"}},
      {"data table and subtotal wrong",
       [](xl::Workbook& b) {
         cell(b, u"분석작업-1", u"E13")->SetValue(Variant(1.0));
         cell(b, u"분석작업-2", u"C5")->SetValue(Variant(999.0));
       },
       {{u"분석작업-1", u"-10.00", u" 데이터표 결과가 틀립니다."},
        {u"분석작업-2", u"-10.00", u"부분합의 결과가 틀렸습니다."}},
       {u"20.00", u"40.00", u"0.00"}},
  };
  return faults;
}

TEST_F(Basic01Test, EachFaultGivesItsRowsAndScores) {
  ExpectFaults(Faults());
}

TEST_F(Basic01Test, RenamedOrMissingSheetDisqualifies) {
  ExpectDisqualified([](xl::Workbook& b) { b.Worksheets(Variant(u"기타작업"))->SetName(u"기타"); });
  EXPECT_EQ(shell.comtest.Label7[1].Caption(), u"0");
  ExpectDisqualified([](xl::Workbook& b) { b.Worksheets(Variant(u"분석작업-1"))->Delete(); });
}

TEST_F(Basic01Test, HiddenExtraSheetIsRemovedBeforeGrading) { ExpectHiddenExtraSheetLosesNothing(); }

TEST_F(Basic01Test, RequestsThatCannotOpenAWorkbookEndInTheErrorHandler) { ExpectUnopenableRequestsFail(); }

}  // namespace basic_01
}  // namespace tabrel::papers::testing
