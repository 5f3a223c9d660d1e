#include <gtest/gtest.h>

#include "spreadsheet/charts/chart_type.h"

namespace tabrel::charts {
namespace {

using K = model::ChartGroupKind;

model::ChartGroup group(K kind, uint16_t flags = 0, bool three_d = false) {
  model::ChartGroup g;
  g.kind = kind;
  g.flags = flags;
  if (three_d) g.view = model::Chart3D{};
  return g;
}

// The chart-type numbers of the automation interface for each family and its variants.
TEST(ChartType, NumbersOfTheAutomationInterface) {
  model::DataFormat no_markers;
  no_markers.marker = model::MarkerFormat{0, false};
  model::DataFormat no_line;
  no_line.line = model::LineFormat{0, 5, 0, false, 0};
  model::DataFormat smooth_no_markers = no_markers;
  smooth_no_markers.smooth = true;
  model::DataFormat exploded;
  exploded.explosion = 25;
  model::DataFormat cylinder;
  cylinder.bar_riser = 1;
  model::ChartGroup clustered_3d = group(K::Bar, 0, true);
  clustered_3d.view->flags = 0x02;
  model::ChartGroup doughnut = group(K::Pie);
  doughnut.hole = 50;
  model::ChartGroup stock = group(K::Line);
  stock.chart_lines = {1};

  struct Case {
    const char* name;
    model::ChartGroup g;
    std::optional<model::DataFormat> format;
    int type;
  };
  const Case cases[] = {
      {"clustered column", group(K::Bar), {}, 51},
      {"stacked column", group(K::Bar, 0x02), {}, 52},
      {"100% stacked bar", group(K::Bar, 0x05), {}, 59},
      {"3-D column", group(K::Bar, 0, true), {}, -4100},
      {"3-D clustered column", clustered_3d, {}, 54},
      {"3-D clustered cylinder", clustered_3d, cylinder, 92},
      {"line with markers", group(K::Line), {}, 65},
      {"line", group(K::Line), no_markers, 4},
      {"stacked line", group(K::Line, 0x01), no_markers, 63},
      {"3-D line", group(K::Line, 0, true), {}, -4101},
      {"area", group(K::Area), {}, 1},
      {"100% stacked area", group(K::Area, 0x02), {}, 77},
      {"pie", group(K::Pie), {}, 5},
      {"exploded pie", group(K::Pie), exploded, 69},
      {"3-D pie", group(K::Pie, 0, true), {}, -4102},
      {"doughnut", doughnut, {}, -4120},
      {"XY scatter", group(K::Scatter), no_line, -4169},
      {"XY with lines", group(K::Scatter), {}, 74},
      {"XY smooth without markers", group(K::Scatter), smooth_no_markers, 73},
      {"bubble", group(K::Scatter, 0x01), {}, 15},
      {"radar with markers", group(K::Radar), {}, 81},
      {"radar", group(K::Radar), no_markers, -4151},
      {"filled radar", group(K::RadarArea), {}, 82},
      {"surface", group(K::Surface, 0x01, true), {}, 83},
      {"stock high-low-close", stock, no_line, 88},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    model::Chart chart;
    chart.groups = {c.g};
    model::Series s;
    if (c.format) s.formats = {*c.format};
    chart.series = {s};
    EXPECT_EQ(series_chart_type(chart, chart.series[0]), c.type);
    EXPECT_EQ(chart_type(chart), c.type);
  }
}

// A combination chart reports each series' own group; a chart sheet's older type number comes
// from its first group, with the column chart for a chart whose groups were not read.
TEST(ChartType, CombinationAndOlderNumbers) {
  model::Chart chart;
  chart.groups = {group(K::Bar), group(K::Line)};
  chart.groups[1].order = 1;
  chart.groups[1].axis_group = 1;
  model::Series column, line;
  line.group = 1;
  chart.series = {column, line};
  EXPECT_EQ(series_chart_type(chart, chart.series[0]), 51);
  EXPECT_EQ(series_chart_type(chart, chart.series[1]), 65);
  EXPECT_EQ(older_type_number(chart), 3);
  EXPECT_EQ(older_type_number(model::Chart{}), 3);
  chart.groups[0] = group(K::Bar, 0x01, true);
  EXPECT_EQ(older_type_number(chart), -4099);
}

}  // namespace
}  // namespace tabrel::charts
