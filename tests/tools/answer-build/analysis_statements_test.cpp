// The pivot and scenario statements of an answer source: what the built workbook holds, and the
// lines that do not read.
#include <gtest/gtest.h>

#include "answer_source.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/pivot_tables.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/scenarios.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/reader.h"

namespace tabrel::answers {
namespace {

// The amounts are formulas: the table shows their results.
const std::string kSales =
    "sheet | 자료\n"
    "row | A1 | 지역 | 제품 | 금액 | 담당\n"
    "row | A2 | 서울 | 사과 | =50*2 | 김\n"
    "row | A3 | 서울 | 배 | 200 | 이\n"
    "row | A4 | 부산 | 사과 | 50 | 김\n"
    "sheet | 분석\n";

std::shared_ptr<xl::Worksheet> built_sheet(std::shared_ptr<xl::Application>& app, const std::string& lines) {
  app = xl::Application::New();
  auto book = app->Workbooks()->Adopt(xls::read_workbook(build_answer(kSales + lines)), u"answer.xls");
  return book->Worksheets(Variant(u"분석"));
}

TEST(AnalysisStatementsTest, PivotTableWithPageField) {
  std::shared_ptr<xl::Application> app;
  auto sheet = built_sheet(app, "pivot | B5 | source=자료!A1:D4 | page=담당 | row=지역 | data=sum:금액 | format=#,##0 | "
                                "caption=금액 합계 | name=요약표\n");
  const auto table = sheet->PivotTables(Variant::integer(1));
  EXPECT_EQ(table->Name(), u"요약표");
  EXPECT_EQ(table->TableRange1()->Address(), u"$B$5:$C$9");
  const char16_t* expected[][2] = {{u"B3", u"담당"}, {u"C3", u"(모두)"}, {u"B5", u"금액 합계"}, {u"B7", u"부산"},
                                   {u"C8", u"300"},  {u"B9", u"총합계"}, {u"C9", u"350"}};
  for (const auto& [cell, text] : expected) EXPECT_EQ(sheet->Range(Variant(cell))->Text().to_string(), text) << to_utf8(cell);
  // The page item chosen in the built workbook lays the table out from the written cache.
  sheet->Range(Variant(u"C3"))->SetValue(Variant(u"이"));
  EXPECT_EQ(sheet->Range(Variant(u"C8"))->Text().to_string(), u"200");
}

TEST(AnalysisStatementsTest, ScenarioKeepsItsValues) {
  std::shared_ptr<xl::Application> app;
  auto sheet = built_sheet(app, "row | C3 | 0.03 | 500\nscenario | C3:D3 | 인상 | 0.05 | 1000 | comment=작성자 김\n");
  xl::Scenarios scenarios(sheet->handle());
  ASSERT_EQ(scenarios.Count(), 1);
  EXPECT_EQ(scenarios.Item(Variant(u"인상"))->Values(Variant::integer(2)).to_string(), u"1000");
  EXPECT_EQ(scenarios.Item(Variant::integer(1))->Comment(), u"작성자 김");
  EXPECT_EQ(sheet->Range(Variant(u"D3"))->Text().to_string(), u"500");
}

TEST(AnalysisStatementsTest, LinesThatDoNotRead) {
  const char* lines[] = {
      "pivot | B5 | row=지역 | data=sum:금액\n",                              // no source
      "pivot | B5 | source=A1:D4 | row=지역 | data=sum:금액\n",                // the source without its sheet
      "pivot | B5 | source=자료!A1:D4 | row=지역 | data=median:금액\n",        // unknown function
      "pivot | B5 | source=자료!A1:D4 | row=지역 | data=금액\n",               // no function
      "pivot | B5 | source=자료!A1:D4 | format=0 | row=지역 | data=sum:금액\n",  // format before a data field
      "pivot | B5 | source=자료!A1:D4 | rows=지역 | data=sum:금액\n",          // unknown key
      "scenario | C3:D3 | 인상\n",                                            // no values
  };
  for (const char* line : lines) EXPECT_THROW(build_answer(kSales + line), SourceError) << line;
  // A field the source lacks is the automation layer's refusal.
  EXPECT_ANY_THROW(build_answer(kSales + "pivot | B5 | source=자료!A1:D4 | row=부서 | data=sum:금액\n"));
}

}  // namespace
}  // namespace tabrel::answers
