// The second basic-series paper graded end to end; its entry ignores errors.

#include <gtest/gtest.h>

#include "papers/paper_fixture.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::papers::testing {
namespace basic_02 {

class Basic02Test : public PaperTest {
 protected:
  Basic02Test() : PaperTest(u"2급기초다지기02회", u"8215&3", 1, 1) {}
};

TEST_F(Basic02Test, AnswerAgainstItselfLosesNothing) {
  ExpectAnswerLosesNothing();
}

using Fault = PaperFault<3>;

TEST_F(Basic02Test, EachFaultGivesItsRowsAndScores) {
  const std::vector<Fault> faults{
      // 60 filled answer cells: 5 / 60 shown with two decimals.
      {"wrong value", [](xl::Workbook& b) { cell(b, u"기본작업-1", u"B5")->SetValue(Variant(u"총균쇠")); },
       {{u"기본작업-1", u"-0.08", u"B5 셀의 값이 틀립니다"}},
       {u"19.92", u"40.00", u"20.00"}},
      {"title unmerged and not bold: the first row of the chain",
       [](xl::Workbook& b) {
         cell(b, u"기본작업-2", u"A1:G1")->UnMerge();
         cell(b, u"기본작업-2", u"A1:G1")->Font()->SetBold(Variant(false));
       },
       {{u"기본작업-2", u"-2.00", u"A1 셀의 맞춤 방식이 틀립니다"}},
       {u"18.00", u"40.00", u"20.00"}},
      {"title in another size",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"A1:G1")->Font()->SetSize(Variant(11.0)); },
       {{u"기본작업-2", u"-2.00", u"A1 셀의 폰트 크기가 틀립니다"}},
       {u"18.00", u"40.00", u"20.00"}},
      {"amounts without their unit",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"E4:F11")->SetNumberFormat(Variant(u"#,##0")); },
       {{u"기본작업-2", u"-2.00", u"E4 셀의 서식이 틀립니다"}},
       {u"18.00", u"40.00", u"20.00"}},
      {"two merges wrong: one row without a cell",
       [](xl::Workbook& b) {
         cell(b, u"기본작업-2", u"A4:A6")->UnMerge();
         cell(b, u"기본작업-2", u"A10:A11")->UnMerge();
       },
       {{u"기본작업-2", u"-2.00", u"셀의 병합 또는 맞춤 형식이 틀립니다"}},
       {u"18.00", u"40.00", u"20.00"}},
      // Redefined rather than deleted: deleting a name renumbers the later names that the
      // buttons' macro links refer to.
      {"defined name over other cells",
       [](xl::Workbook& b) { b.Names()->Add(u"목표량", u"='기본작업-2'!$D$4:$D$11"); },
       {{u"기본작업-2", u"-2.00", u"셀 이름이 틀립니다."}},
       {u"18.00", u"40.00", u"20.00"}},
      {"no borders",
       [](xl::Workbook& b) { cell(b, u"기본작업-2", u"A3:G11")->Borders()->SetLineStyle(Variant(-4142)); },
       {{u"기본작업-2", u"-2.00", u"A3 셀의 테두리 선이 틀립니다"}},
       {u"18.00", u"40.00", u"20.00"}},
      {"first formula item without AND",
       [](xl::Workbook& b) { cell(b, u"계산작업", u"D5")->SetFormula(Variant(u"=IF(B5>=70,IF(C5>=70,\"합격\",\"불합격\"),\"불합격\")")); },
       {{u"계산작업", u"-8.00", u"D5 셀의 함수 또는 결과가 틀립니다"}},
       {u"20.00", u"32.00", u"20.00"}},
      // The bold summary rows of the answer are never listed: a detail row differs.
      {"subtotal wrong",
       [](xl::Workbook& b) { cell(b, u"분석작업-1", u"C5")->SetValue(Variant(999.0)); },
       {{u"분석작업-1", u"-10.00", u"부분합 계산이 틀립니다."}},
       {u"20.00", u"40.00", u"10.00"}},
      {"database item wrong: no blank before the text",
       [](xl::Workbook& b) { cell(b, u"계산작업", u"J28")->SetFormula(Variant(u"=SUM(E28:E35)")); },
       {{u"계산작업", u"-8.00", u"J28셀의 함수 또는 결과가 틀립니다"}},
       {u"20.00", u"32.00", u"20.00"}},
      {"external data and data table wrong",
       [](xl::Workbook& b) {
         cell(b, u"기본작업-3", u"C5")->SetValue(Variant(u"한빛약국"));
         cell(b, u"분석작업-2", u"E17")->SetValue(Variant(1.0));
       },
       {{u"기본작업-3", u"-5.00", u"C5 셀의 외부데이터 붙여넣기 결과가 틀립니다"},
        {u"분석작업-2", u"-10.00", u"데이터 표가 틀립니다"}},
       {u"15.00", u"40.00", u"10.00"}},
  };
  ExpectFaults(faults);
}

TEST_F(Basic02Test, MissingSheetDisqualifies) {
  ExpectDisqualified([](xl::Workbook& b) { b.Worksheets(Variant(u"분석작업-2"))->Delete(); });
}

TEST_F(Basic02Test, HiddenExtraSheetIsRemovedBeforeGrading) { ExpectHiddenExtraSheetLosesNothing(); }

// Its entry ignores errors, yet a workbook that cannot be opened is no disqualification.
TEST_F(Basic02Test, RequestsThatCannotOpenAWorkbookEndInTheErrorHandler) { ExpectUnopenableRequestsFail(); }

}  // namespace basic_02
}  // namespace tabrel::papers::testing
