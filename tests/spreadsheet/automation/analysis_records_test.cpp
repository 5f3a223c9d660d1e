// What analysis tasks leave besides cells, kept through writing and reading: scenarios, query
// tables with their names, AutoFilter criteria with the hidden rows, and row outlines.
#include <gtest/gtest.h>

#include "fixture.h"
#include "spreadsheet/automation/autofilter.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::xl {
namespace {

constexpr uint16_t kScenMan = 0x00AE, kScenario = 0x00AF, kQsi = 0x01AD;

std::vector<model::RawRecord> kept(const model::Sheet& sheet, std::initializer_list<uint16_t> ids) {
  std::vector<model::RawRecord> out;
  for (const auto& r : sheet.other_records)
    if (std::find(ids.begin(), ids.end(), r.id) != ids.end()) out.push_back(r);
  return out;
}

TEST(AnalysisRecordsTest, KeptThroughWritingAndReading) {
  auto wb = testing::sample_workbook();
  model::Sheet& sheet = *wb->sheets[0];
  // A scenario manager with one scenario over B2 ("최고", value 5), and a query table.
  sheet.other_records.push_back({kScenMan, {1, 0, 0, 0, 0xFF, 0xFF, 0, 0}, {}});
  sheet.other_records.push_back(
      {kScenario, {1, 0, 0, 0, 2, 0, 0, 0, 0, 0, u'최' & 0xFF, u'최' >> 8, u'고' & 0xFF, u'고' >> 8, 1, 0, 1, 0, 1, 0, 0, 0x35}, {}});
  sheet.other_records.push_back({kQsi, std::vector<uint8_t>(20, 0), {}});
  sheet.rows[4].hidden = true;
  sheet.rows[4].outline_level = 1;
  sheet.rows[5].outline_level = 1;
  sheet.rows[6].collapsed = true;
  model::AutoFilter af;
  af.range = {{0, 0}, {9, 2}};
  af.filter_mode = true;
  model::AutoFilterColumn column;
  column.index = 1;
  column.first.value_type = 4;
  column.first.op = 6;
  column.first.number = 80;
  af.columns.push_back(column);
  sheet.autofilter = af;
  auto opened = testing::open_in_new_instance(std::move(wb));
  opened.book->Names()->Add(u"외부_데이터_1", u"=Data!$A$1:$C$10");

  const model::Workbook& before = opened.book->model();
  auto again = testing::open_in_new_instance(xls::read_workbook(xls::write_workbook(before)));
  const model::Workbook& after = again.book->model();
  EXPECT_EQ(kept(*after.sheets[0], {kScenMan, kScenario, kQsi}), kept(*before.sheets[0], {kScenMan, kScenario, kQsi}));
  // The query table's name, and the filter's hidden name that a saved AutoFilter brings.
  ASSERT_EQ(again.book->Names()->Count(), 2);
  EXPECT_EQ(again.book->Names()->Item(Variant::integer(1))->Name(), u"Data!_FilterDatabase");
  EXPECT_EQ(again.book->Names()->Item(Variant(u"외부_데이터_1"))->RefersTo(), u"=Data!$A$1:$C$10");
  const auto data = again.app->Worksheets(Variant(u"Data"));
  EXPECT_EQ(data->AutoFilter()->Filters()->Item(Variant::integer(2))->Criteria1().to_string(), u">=80");
  EXPECT_EQ(data->Rows(Variant::integer(5))->Height().to_double(), 0);
  EXPECT_EQ(after.sheets[0]->rows.at(5).outline_level, 1);
  EXPECT_TRUE(after.sheets[0]->rows.at(6).collapsed);
}

}  // namespace
}  // namespace tabrel::xl
