// Pivot tables and command bars as macros reach them through late binding.

#include <gtest/gtest.h>

#include "run_macro.h"
#include "spreadsheet/automation/pivot_tables.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::macro {
namespace {

TEST(AnalysisMembersTest, PivotPageAndCommandBarsFromAMacro) {
  auto app = testing::sample_instance();
  auto data = app->Worksheets(Variant(u"Data"));
  const char16_t* rows[][3] = {{u"지역", u"제품", u"금액"}, {u"서울", u"사과", u"100"}, {u"서울", u"배", u"200"}, {u"부산", u"배", u"50"}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) data->Cells(Variant::integer(r + 1), Variant::integer(c + 1))->SetValue(Variant(std::u16string(rows[r][c])));
  xl::PivotTableChoice choice;
  choice.name = u"판매";
  choice.pages = {u"제품"};
  choice.rows = {u"지역"};
  choice.data = {{u"금액", -4112, u"", u""}};
  xl::add_pivot_table(app->Worksheets(Variant(u"Form"))->handle(), {4, 0}, data->handle(), {{0, 0}, {3, 2}}, choice);

  const auto outcome = testing::run(app,
                                    u"Sub M()\r\n"
                                    u"  Dim pt\r\n"
                                    u"  Set pt = Worksheets(\"Form\").PivotTables(1)\r\n"
                                    u"  pt.PageRangeCells.PivotField.DataRange.Value = \"배\"\r\n"
                                    u"  Worksheets(\"Form\").Range(\"H1\").Value = Worksheets(\"Form\").PivotTables.Count & \"|\" & _\r\n"
                                    u"    pt.Name & \"|\" & pt.PageRangeCells.PivotField.CurrentPage & \"|\" & pt.TableRange1.Address & \"|\" & _\r\n"
                                    u"    Application.CommandBars(\"Standard\").Type & \"|\" & Application.CommandBars(\"Standard\").Visible\r\n"
                                    u"End Sub\r\n",
                                    u"M");
  ASSERT_TRUE(outcome.ok) << to_utf8(outcome.reason);
  EXPECT_EQ(app->Worksheets(Variant(u"Form"))->Range(Variant(u"H1"))->Value().to_string(), u"1|판매|배|$A$5:$B$9|0|True");
}

}  // namespace
}  // namespace tabrel::macro
