#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "corpus/corpus_required.h"
#include "fixture.h"
#include "same_variant.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/autofilter.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"

namespace tabrel::xl {
namespace {

using testing::error_number;
using testing::open_in_new_instance;
using testing::sample_workbook;

TEST(AutoFilterTest, CriteriaAsTheSpreadsheetReportsThem) {
  auto wb = sample_workbook();
  model::AutoFilter filter;
  filter.range = {{2, 0}, {20, 4}};  // A3:E21
  model::AutoFilterColumn city;
  city.index = 1;
  city.first.value_type = 6;
  city.first.op = 2;
  city.first.text = u"서울";
  model::AutoFilterColumn score;
  score.index = 3;
  score.join_or = true;
  score.first.value_type = 4;
  score.first.op = 6;
  score.first.number = 80;
  score.second.value_type = 12;
  score.second.op = 2;
  model::AutoFilterColumn top;
  top.index = 4;
  top.top10 = true;
  top.top = true;
  top.top10_count = 5;
  filter.columns = {city, score, top};
  wb->sheets[0]->autofilter = filter;
  auto o = open_in_new_instance(std::move(wb));
  auto af = o.app->ActiveSheet()->AutoFilter();
  ASSERT_NE(af, nullptr);
  EXPECT_EQ(af->Range()->Address(), u"$A$3:$E$21");
  auto filters = af->Filters();
  EXPECT_EQ(filters->Count(), 5);
  EXPECT_FALSE(filters->Item(Variant(1))->On());
  EXPECT_EQ(error_number([&] { filters->Item(Variant(1))->Criteria1(); }), 1004);
  EXPECT_TRUE(same_variant(filters->Item(Variant(2))->Criteria1(), Variant(u"=서울")));
  EXPECT_EQ(error_number([&] { filters->Item(Variant(2))->Criteria2(); }), 1004);
  EXPECT_TRUE(same_variant(filters->Item(Variant(4))->Criteria1(), Variant(u">=80")));
  EXPECT_TRUE(same_variant(filters->Item(Variant(4))->Criteria2(), Variant(u"=")));
  EXPECT_EQ(filters->Item(Variant(4))->Operator(), 2);
  EXPECT_TRUE(same_variant(filters->Item(Variant(5))->Criteria1(), Variant(5)));
  EXPECT_EQ(filters->Item(Variant(5))->Operator(), 3);
  EXPECT_EQ(error_number([&] { filters->Item(Variant(6)); }), 9);
  EXPECT_EQ(o.app->Sheets(Variant(u"Form"))->AutoFilter(), nullptr);
}

TEST(AutoFilterTest, FiltersOfAFileSavedBySpreadsheet) {
  const auto file = std::filesystem::path(TABREL_SHARED_DIR) / "corpus" / "excel" / "sheetjs-AutoFilter.xls";
  TABREL_REQUIRE_CORPUS(std::filesystem::exists(file), file);
  auto app = Application::New();
  app->Workbooks()->Open(file.u16string());
  // Filters that are on, as "sheet/column"; those of sheet 7 are kept only in the newer records
  // (lists of values) and have no criterion text here.
  std::vector<std::string> on, without_criterion;
  for (int s = 1; s <= app->Sheets()->Count(); ++s) {
    auto af = app->Sheets(Variant(s))->AutoFilter();
    if (!af) continue;
    auto filters = af->Filters();
    for (int i = 1; i <= filters->Count(); ++i) {
      auto f = filters->Item(Variant(i));
      if (!f->On()) continue;
      const std::string where = std::to_string(s) + "/" + std::to_string(i);
      on.push_back(where);
      if (error_number([&] { f->Criteria1(); }) != 0) without_criterion.push_back(where);
    }
  }
  EXPECT_EQ(on, (std::vector<std::string>{"3/1", "4/1", "4/5", "5/1", "6/1", "7/1", "7/5", "8/1", "9/1", "10/1", "11/1"}));
  EXPECT_EQ(without_criterion, (std::vector<std::string>{"7/1", "7/5"}));
  app->Quit();
}

}  // namespace
}  // namespace tabrel::xl
