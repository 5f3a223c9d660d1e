// The second basic-series paper graded end to end; its entry ignores errors.

#include <gtest/gtest.h>

#include "papers/paper_fixture.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::papers::testing {
namespace {

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
      {"title unmerged and not bold: the first row of the chain",
       [](xl::Workbook& b) {
         cell(b, u"기본작업-2", u"A1:G1")->UnMerge();
         cell(b, u"기본작업-2", u"A1:G1")->Font()->SetBold(Variant(false));
       },
       {{u"기본작업-2", u"-2.00", u"A1 셀의 맞춤 방식이 틀립니다"}},
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

TEST_F(Basic02Test, WrongPasswordIsNoDisqualification) {
  Grade(MakeTarget([](xl::Workbook&) {}, u"5862#9"));
  EXPECT_EQ(shell.LastOutcome(), shell::RequestOutcome::Failed);
  EXPECT_EQ(Rows(), std::vector<Row>{});
  EXPECT_EQ(shell.comtest.Label6.Caption(), shell::kGradingErrorMessage);
}

}  // namespace
}  // namespace tabrel::papers::testing
