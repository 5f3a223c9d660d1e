#include <gtest/gtest.h>

#include "../../support/chart_records.h"
#include "spreadsheet/xls/read_chart.h"

namespace tabrel::xls {
namespace {

using chart_test::ChartSpec;
using chart_test::GroupSpec;
using chart_test::SeriesSpec;

std::unique_ptr<model::Workbook> data_book() {
  auto wb = std::make_unique<model::Workbook>();
  auto sheet = std::make_unique<model::Sheet>();
  sheet->name = u"Data";
  wb->sheets.push_back(std::move(sheet));
  return wb;
}

// A column chart with a line on the secondary axis, titles, legend and data table decodes into
// the parts the automation layer reads.
TEST(ReadChart, CombinationChartParts) {
  auto wb = data_book();
  ChartSpec spec;
  spec.groups = {GroupSpec{}, chart_test::group(0x1018, {0, 0}, 1)};
  spec.groups[0].legend = 0;
  SeriesSpec a = chart_test::series(u"Data!$B$1", u"Data!$B$2:$B$5", u"Data!$A$2:$A$5");
  a.fill_color = 10;
  SeriesSpec b = chart_test::literal_series(u"Margin", u"Data!$C$2:$C$5");
  b.group = 1;
  b.smooth = true;
  b.point_labels = {{2, 0x01}};
  spec.series = {a, b};
  spec.title = u"매출 현황";
  spec.value_title = u"금액";
  spec.secondary_title = u"비율";
  spec.value_maximum = 500;
  spec.data_table = 0x0F;
  spec.shadow = true;
  const model::Chart c = read_chart(chart_test::chart_records(*wb, spec));

  EXPECT_TRUE(c.problems.empty());
  ASSERT_EQ(c.groups.size(), 2u);
  EXPECT_EQ(c.groups[0].kind, model::ChartGroupKind::Bar);
  EXPECT_EQ(c.groups[1].kind, model::ChartGroupKind::Line);
  EXPECT_EQ(c.groups[1].axis_group, 1);
  ASSERT_TRUE(c.groups[0].legend);
  EXPECT_EQ(c.groups[0].legend->position, 0);
  ASSERT_EQ(c.series.size(), 2u);
  EXPECT_TRUE(c.series[0].name.is_reference());
  EXPECT_TRUE(c.series[0].categories.is_reference());
  EXPECT_EQ(c.series[1].name.kind, 1);
  EXPECT_EQ(c.series[1].name_text, u"Margin");
  EXPECT_EQ(c.series[1].group, 1);
  ASSERT_NE(c.series[1].series_format(), nullptr);
  EXPECT_TRUE(c.series[1].series_format()->smooth);
  ASSERT_NE(c.series[1].point_format(2), nullptr);
  EXPECT_TRUE(c.series[1].point_format(2)->label->value);
  ASSERT_TRUE(c.series[0].series_format()->area);
  EXPECT_EQ(c.series[0].series_format()->area->fore_index, 10);
  ASSERT_EQ(c.axes.size(), 4u);
  const model::Axis* value = c.axis(1, 0);
  ASSERT_NE(value, nullptr);
  EXPECT_TRUE(value->major_gridlines);
  EXPECT_FALSE(value->value_scale->auto_maximum());
  EXPECT_EQ(value->value_scale->maximum, 500);
  ASSERT_NE(c.text(1), nullptr);
  EXPECT_EQ(c.text(1)->text, u"매출 현황");
  ASSERT_NE(c.axis_title(1, 0), nullptr);
  EXPECT_EQ(c.axis_title(1, 0)->text, u"금액");
  EXPECT_EQ(c.axis_title(1, 0)->rotation, 90);
  ASSERT_NE(c.axis_title(1, 1), nullptr);
  EXPECT_EQ(c.axis_title(1, 1)->text, u"비율");
  EXPECT_EQ(c.data_table_flags, 0x0F);
  EXPECT_TRUE(c.scaled_fonts);
  EXPECT_TRUE(c.area.shadow());
}

// Cached data after SIINDEX goes to the series named by each record's column.
TEST(ReadChart, CachedSeriesData) {
  std::vector<model::RawRecord> records = {
      {0x1003, {1, 0, 1, 0, 2, 0, 2, 0, 1, 0, 0, 0}, {}},
      {0x1065, {1, 0}, {}},
      {0x0203, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x24, 0x40}, {}},  // point 1: 10
      {0x1065, {2, 0}, {}},
      {0x0204, {0, 0, 0, 0, 0, 0, 2, 0, 0, 'Q', '1'}, {}},
  };
  const model::Chart c = read_chart(records);
  ASSERT_EQ(c.series.size(), 1u);
  ASSERT_EQ(c.series[0].cached_values.size(), 2u);
  EXPECT_EQ(c.series[0].cached_values[0].kind, model::ChartValue::Kind::Blank);
  EXPECT_EQ(c.series[0].cached_values[1].number, 10);
  ASSERT_EQ(c.series[0].cached_categories.size(), 1u);
  EXPECT_EQ(c.series[0].cached_categories[0].text, u"Q1");
}

// A record too short for its fields is named among the problems; the records after it are read.
TEST(ReadChart, ShortRecordsLeaveTheRestReadable) {
  struct Case {
    const char* name;
    model::RawRecord damaged;
  };
  const Case cases[] = {
      {"series", {0x1003, {1, 0}, {}}},
      {"value range of an axis", {0x101F, {0, 0, 0}, {}}},
      {"text", {0x1025, {2, 2, 1}, {}}},
      {"link", {0x1051, {1, 2, 0, 0, 0, 0, 9, 0, 0x3B}, {}}},  // 9 token bytes announced, 1 present
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<model::RawRecord> records = {
        {0x101D, std::vector<uint8_t>(18, 0), {}}, {0x1033, {}, {}}, c.damaged, {0x1034, {}, {}}, {0x1014, std::vector<uint8_t>(20, 0), {}},
        {0x1033, {}, {}}, {0x1018, {0, 0}, {}}, {0x1034, {}, {}},
    };
    const model::Chart chart = read_chart(records);
    EXPECT_EQ(chart.problems.size(), 1u);
    ASSERT_EQ(chart.groups.size(), 1u);
    EXPECT_EQ(chart.groups[0].kind, model::ChartGroupKind::Line);
  }
}

}  // namespace
}  // namespace tabrel::xls
