// Pivot tables built by macros as the spreadsheet's recorder writes them: a cache of a range, an
// empty table, then its fields put on the areas one by one; and the members that refuse.

#include <gtest/gtest.h>

#include "../automation/fixture.h"
#include "run_macro.h"
#include "spreadsheet/automation/pivot_tables.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::macro {
namespace {

// Sales on sheet Data, A1:D7; one record has no amount and one no region.
std::shared_ptr<xl::Application> sales_instance() {
  auto app = testing::sample_instance();
  xl::testing::put_sales_rows(*app);
  return app;
}


testing::Outcome run_body(const std::shared_ptr<xl::Application>& app, const std::u16string& body) {
  return testing::run(app, u"Sub M()\r\n" + body + u"End Sub\r\n", u"M");
}

// The table as the recorder of the current versions writes it: the page field first (above the
// body at B19), then the row field, then the data field with its caption and number format.
const char16_t* kRecorded =
    u"ActiveWorkbook.PivotCaches.Create(SourceType:=xlDatabase, SourceData:= _\r\n"
    u"  \"Data!R1C1:R7C4\", Version:=xlPivotTableVersion12).CreatePivotTable _\r\n"
    u"  TableDestination:=\"Form!R19C2\", TableName:=\"피벗 테이블1\", DefaultVersion _\r\n"
    u"  :=xlPivotTableVersion12\r\n"
    u"With Worksheets(\"Form\").PivotTables(\"피벗 테이블1\").PivotFields(\"제품\")\r\n"
    u"  .Orientation = xlPageField\r\n"
    u"  .Position = 1\r\n"
    u"End With\r\n"
    u"With Worksheets(\"Form\").PivotTables(\"피벗 테이블1\").PivotFields(\"지역\")\r\n"
    u"  .Orientation = xlRowField\r\n"
    u"  .Position = 1\r\n"
    u"End With\r\n"
    u"Worksheets(\"Form\").PivotTables(\"피벗 테이블1\").AddDataField Worksheets(\"Form\").PivotTables( _\r\n"
    u"  \"피벗 테이블1\").PivotFields(\"금액\"), \"합계 : 금액\", xlSum\r\n"
    u"Worksheets(\"Form\").PivotTables(\"피벗 테이블1\").PivotFields(\"합계 : 금액\").NumberFormat = \"#,##0\"\r\n";

TEST(PivotMacroTest, RecordedMacroBuildsTheTable) {
  auto app = sales_instance();
  const auto outcome = run_body(app, kRecorded);
  ASSERT_TRUE(outcome.ok) << to_utf8(outcome.reason);
  auto form = app->Worksheets(Variant(u"Form"));
  const std::vector<std::u16string> shown = {u"제품|(모두)", u"|", u"합계 : 금액|", u"지역|요약", u"대구|30", u"부산|50",
                                             u"서울|300", u"(비어 있음)|5", u"총합계|385", u"|"};
  EXPECT_EQ(xl::testing::shown_grid(form, u"B17:C26"), shown);

  // Saved and opened again, the table is whole: its page item selects and lays out again.
  auto again = xl::testing::open_in_new_instance(xls::read_workbook(xls::write_workbook(app->ActiveWorkbook()->model())));
  auto form2 = again.book->Worksheets(Variant(u"Form"));
  ASSERT_EQ(form2->PivotTables()->Count(), 1);
  form2->Range(Variant(u"C17"))->SetValue(Variant(u"배"));
  EXPECT_EQ(form2->Range(Variant(u"C24"))->Text().to_string(), u"205");
}

TEST(PivotMacroTest, OlderRecorderWithWizardAndAddFields) {
  // A table on a new sheet, moved by the wizard, its row and column fields given at once; the
  // amount field with a blank value is counted.
  auto app = sales_instance();
  const auto outcome = run_body(app,
                                u"ActiveWorkbook.PivotCaches.Add(SourceType:=xlDatabase, SourceData:= _\r\n"
                                u"  \"Data!R1C1:R7C4\").CreatePivotTable TableDestination:=\"\", TableName:= _\r\n"
                                u"  \"판매\", DefaultVersion:=xlPivotTableVersion10\r\n"
                                u"ActiveSheet.PivotTableWizard TableDestination:=ActiveSheet.Cells(4, 1)\r\n"
                                u"ActiveSheet.PivotTables(\"판매\").AddFields RowFields:=\"지역\", ColumnFields:=\"제품\"\r\n"
                                u"ActiveSheet.PivotTables(\"판매\").PivotFields(\"금액\").Orientation = xlDataField\r\n"
                                u"ActiveSheet.Range(\"H1\").Value = ActiveSheet.PivotTables(1).PivotFields(\"개수 : 금액\").Function\r\n");
  ASSERT_TRUE(outcome.ok) << to_utf8(outcome.reason);
  auto sheet = app->ActiveSheet();
  EXPECT_NE(sheet->Name(), u"Form");
  EXPECT_EQ(xl::testing::shown_grid(sheet, u"A4:D10"),
            (std::vector<std::u16string>{u"개수 : 금액|제품||", u"지역|배|사과|총합계", u"대구||1|1", u"부산||1|1",
                                          u"서울|1|1|2", u"(비어 있음)|1||1", u"총합계|2|3|5"}));
  EXPECT_EQ(sheet->Range(Variant(u"H1"))->Value().to_long(), -4112);
  EXPECT_EQ(sheet->Range(Variant(u"A3"))->Text().to_string(), u"");
}

TEST(PivotMacroTest, FieldChangesLayTheTableOutAgain) {
  struct Case {
    const char16_t* change;
    const char16_t* range;
    std::vector<std::u16string> shown;
  };
  const char16_t* table = u"Worksheets(\"Form\").PivotTables(1)";
  const std::vector<Case> cases = {
      // The spreadsheet's caption follows a new function.
      {u".PivotFields(\"합계 : 금액\").Function = xlAverage", u"B19:C20", {u"평균 : 금액|", u"지역|요약"}},
      // The page field goes; the body stays where it is.
      {u".PivotFields(\"제품\").Orientation = xlHidden", u"B17:C20", {u"|", u"|", u"합계 : 금액|", u"지역|요약"}},
      // A second row field put first.
      {u".PivotFields(\"제품\").Orientation = xlRowField\r\n    .PivotFields(\"제품\").Position = 1", u"B19:D22",
       {u"합계 : 금액||", u"제품|지역|요약", u"배|부산|", u"|서울|200"}},
      // Several data fields stand side by side under the data caption.
      {u".AddDataField .PivotFields(\"금액\"), \"건수\", xlCount", u"B19:D21", {u"|데이터|", u"지역|합계 : 금액|건수", u"대구|30|1"}},
      {u".PivotFields(\"합계 : 금액\").Orientation = xlHidden", u"B19:C20", {u"|", u"|"}},
  };
  for (const Case& c : cases) {
    auto app = sales_instance();
    const auto outcome = run_body(app, std::u16string(kRecorded) + u"With " + table + u"\r\n    " + c.change + u"\r\nEnd With\r\n");
    ASSERT_TRUE(outcome.ok) << to_utf8(c.change) << ": " << to_utf8(outcome.reason);
    EXPECT_EQ(xl::testing::shown_grid(app->Worksheets(Variant(u"Form")), c.range), c.shown) << to_utf8(c.change);
  }
}

TEST(PivotMacroTest, RefusedChanges) {
  const std::vector<const char16_t*> refused = {
      u"Worksheets(\"Form\").PivotTables(1).PivotFields(\"부서\").Orientation = xlRowField",
      u"Worksheets(\"Form\").PivotTables(1).PivotFields(\"합계 : 금액\").Caption = \"지역\"",
      u"Worksheets(\"Form\").PivotTables(1).PivotFields(\"지역\").Function = xlCount",
      u"Worksheets(\"Form\").PivotTables(1).PivotFields(\"지역\").Position = 3",
      u"ActiveWorkbook.PivotCaches.Create(xlDatabase, \"Data!R1C1:R7C4\").CreatePivotTable \"Form!R40C2\", \"피벗 테이블1\"",
      u"ActiveWorkbook.PivotCaches.Create(xlDatabase, \"Data!R1C1:R1C4\").CreatePivotTable \"Form!R40C2\"",
      u"ActiveWorkbook.PivotCaches.Create(xlDatabase, \"Data!Z0\").CreatePivotTable \"Form!R40C2\"",
  };
  for (const char16_t* line : refused) {
    auto app = sales_instance();
    const auto outcome = run_body(app, std::u16string(kRecorded) + line + u"\r\n");
    EXPECT_EQ(outcome.error, 1004) << to_utf8(line);
    // The table stays as the recorded lines left it.
    EXPECT_EQ(app->Worksheets(Variant(u"Form"))->Range(Variant(u"C25"))->Text().to_string(), u"385") << to_utf8(line);
  }
}

}  // namespace
}  // namespace tabrel::macro
