// Scenarios added through Worksheet.Scenarios: stored as the sheet's records, read back after
// writing and reading, shown into their cells, and the additions the scenario manager refuses.
#include "spreadsheet/automation/scenarios.h"

#include <gtest/gtest.h>

#include "fixture.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::xl {
namespace {

using testing::error_number;

Variant values(std::vector<Variant> items) {
  VariantArray a;
  a.lower = {0};
  a.extent = {static_cast<int32_t>(items.size())};
  a.items = std::move(items);
  return Variant::array(std::move(a));
}

TEST(ScenariosTest, AddedScenariosSurviveWritingAndShowTheirValues) {
  auto o = testing::open_in_new_instance(testing::sample_workbook());
  auto sheet = o.app->Worksheets(Variant(u"Data"));
  sheet->Range(Variant(u"C3"))->SetValue(Variant(0.03));
  sheet->Range(Variant(u"C4"))->SetValue(Variant(500.0));
  Scenarios(sheet->handle()).Add(Variant(u"인상"), *sheet->Range(Variant(u"C3:C4")), values({Variant(0.05), Variant(1000.0)}),
                                  Variant(u"작성자 김"), Variant(), Variant());
  // Without values the cells' current ones are kept.
  Scenarios(sheet->handle()).Add(Variant(u"현재"), *sheet->Range(Variant(u"C3:C4")), Variant(), Variant(), Variant(), Variant());

  auto again = testing::open_in_new_instance(xls::read_workbook(xls::write_workbook(o.book->model())));
  auto reread = again.app->Worksheets(Variant(u"Data"));
  Scenarios scenarios(reread->handle());
  ASSERT_EQ(scenarios.Count(), 2);
  const auto raise = scenarios.Item(Variant(u"인상"));
  EXPECT_EQ(raise->Comment(), u"작성자 김");
  EXPECT_EQ(raise->ChangingCells()->Address(), u"$C$3:$C$4");
  EXPECT_EQ(raise->Values(Variant::integer(1)).to_string(), u"0.05");
  EXPECT_EQ(scenarios.Item(Variant::integer(2))->Values(Variant::integer(2)).to_string(), u"500");
  raise->Show();
  EXPECT_EQ(reread->Range(Variant(u"C4"))->Value().to_double(), 1000.0);
}

TEST(ScenariosTest, RefusedAdditions) {
  auto o = testing::open_in_new_instance(testing::sample_workbook());
  auto sheet = o.app->Worksheets(Variant(u"Data"));
  Scenarios scenarios(sheet->handle());
  scenarios.Add(Variant(u"A"), *sheet->Range(Variant(u"A1")), Variant(1.0), Variant(), Variant(), Variant());
  struct Case {
    const char* why;
    const char16_t* name;
    const char16_t* cells;
    Variant values;
  };
  const Case cases[] = {
      {"a name in use, letter case aside", u"a", u"A1", Variant(2.0)},
      {"no name", u"", u"A1", Variant(2.0)},
      {"more than 32 cells", u"B", u"A1:A33", Variant()},
      {"fewer values than cells", u"C", u"A1:A2", values({Variant(1.0)})},
  };
  for (const Case& c : cases)
    EXPECT_EQ(error_number([&] {
                scenarios.Add(Variant(c.name), *sheet->Range(Variant(c.cells)), c.values, Variant(), Variant(), Variant());
              }),
              1004)
        << c.why;
  EXPECT_EQ(scenarios.Count(), 1);
}

}  // namespace
}  // namespace tabrel::xl
