#include <gtest/gtest.h>

#include "spreadsheet/xls/read_chart.h"

namespace tabrel::xls {
namespace {

using K = model::ChartGroupKind;

// The first chart group decides the kind; CHART3D anywhere makes the chart 3-D.
TEST(ReadChart, SummaryOfTheFirstChartGroup) {
  struct Case {
    const char* name;
    std::vector<model::RawRecord> records;
    K kind;
    bool three_d, transposed, has_hole;
  };
  const model::RawRecord chart3d{0x103A, std::vector<uint8_t>(14, 0), {}};
  const model::RawRecord column{0x1017, {0, 0, 150, 0, 0, 0}, {}};
  const Case cases[] = {
      {"no chart group", {}, K::None, false, false, false},
      {"column", {column}, K::Bar, false, false, false},
      {"bar (transposed)", {{0x1017, {0, 0, 150, 0, 1, 0}, {}}}, K::Bar, false, true, false},
      {"3-D column, CHART3D first", {chart3d, column}, K::Bar, true, false, false},
      {"3-D column, CHART3D later", {column, chart3d}, K::Bar, true, false, false},
      {"line", {{0x1018, {0, 0}, {}}}, K::Line, false, false, false},
      {"pie", {{0x1019, {0, 0, 0, 0, 0, 0}, {}}}, K::Pie, false, false, false},
      {"doughnut", {{0x1019, {0, 0, 50, 0, 0, 0}, {}}}, K::Pie, false, false, true},
      {"scatter", {{0x101B, {100, 0, 1, 0, 0, 0}, {}}}, K::Scatter, false, false, false},
      {"filled radar", {{0x1040, {0, 0}, {}}}, K::RadarArea, false, false, false},
      {"second group does not count", {{0x1018, {0, 0}, {}}, column}, K::Line, false, false, false},
      {"short bar record reads its flags as 0", {{0x1017, {0}, {}}}, K::Bar, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const model::ChartSummary s = summarize_chart(c.records);
    EXPECT_EQ(s.first_group, c.kind);
    EXPECT_EQ(s.three_d, c.three_d);
    EXPECT_EQ(s.transposed, c.transposed);
    EXPECT_EQ(s.has_hole, c.has_hole);
  }
}

}  // namespace
}  // namespace tabrel::xls
