#include <gtest/gtest.h>

#include "chart_fixture.h"
#include "inspect/chart_axes.h"
#include "inspect/chart_checks.h"
#include "inspect/chart_placement.h"
#include "inspect/chart_series.h"
#include "inspect/fixture.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/range.h"

namespace tabrel::inspect {
namespace {

using chart_test::ChartSpec;
using chart_test::SeriesSpec;
using testing::chart_book;
using testing::chart_sheet_book;
using testing::column_chart;
using testing::open_charts;

ExcelObjects pair_of(const ChartSpec& answer, const ChartSpec& target) {
  return open_charts(chart_book({answer}), chart_book({target}));
}

TEST(ChartProcedures, ChartTypeOverTheAnswersSeries) {
  ChartSpec with_line = column_chart();
  with_line.groups.push_back(chart_test::group(0x1018, {0, 0}));
  SeriesSpec line = testing::sales_series();
  line.group = 1;
  with_line.series.push_back(line);
  ChartSpec first_only = column_chart();
  first_only.series.pop_back();
  ChartSpec no_series = column_chart();
  no_series.series.clear();
  ChartSpec lines = column_chart();
  lines.groups[0] = chart_test::group(0x1018, {0, 0});
  struct Case {
    const char* name;
    ChartSpec answer, target;
    bool same;
  };
  const Case cases[] = {
      {"target has a third series of another type", column_chart(), with_line, true},
      {"target lacks the second series", column_chart(), first_only, false},
      {"answer without series", no_series, lines, true},
      {"line against column", column_chart(), lines, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExcelObjects o = pair_of(c.answer, c.target);
    EXPECT_EQ(CompareChartType(o, 1, 0, 0), c.same);
  }
}

TEST(ChartProcedures, TitlesCompareExactly) {
  ChartSpec blank = column_chart();
  blank.title = u"매출 현황 ";
  ChartSpec latin = column_chart();
  latin.title = u"Sales";
  ChartSpec lower = column_chart();
  lower.title = u"sales";
  ChartSpec untitled = column_chart();
  untitled.title.reset();
  ExcelObjects same = pair_of(column_chart(), column_chart());
  EXPECT_TRUE(CompareChartTitle(same, 1, 0));
  ExcelObjects with_blank = pair_of(column_chart(), blank);
  EXPECT_FALSE(CompareChartTitle(with_blank, 1, 0));
  ExcelObjects case_differs = pair_of(latin, lower);
  EXPECT_FALSE(CompareChartTitle(case_differs, 1, 0));
  ExcelObjects no_title = pair_of(untitled, column_chart());
  EXPECT_FALSE(CompareChartTitle(no_title, 1, 0));
  // Chart sheets are compared where they stand, nothing activated.
  ExcelObjects sheets = open_charts(chart_sheet_book(column_chart()), chart_sheet_book(column_chart()));
  EXPECT_TRUE(CompareChartTitle(sheets, 1, 2));
  EXPECT_EQ(sheets.AnswerExcel->ActiveChart(), nullptr);
  EXPECT_FALSE(CompareChartTitle(sheets, 1, 1));  // Sheet1 is no chart sheet
}

TEST(ChartProcedures, LegendPositionWithTheNoLegendRule) {
  auto with_legend = [](std::optional<uint8_t> position) {
    ChartSpec s = column_chart();
    s.groups[0].legend = position;
    return s;
  };
  struct Case {
    const char* name;
    std::optional<uint8_t> answer, target;
    bool same;
  };
  const Case cases[] = {
      {"neither has a legend", std::nullopt, std::nullopt, true},
      {"only the target has one", std::nullopt, 3, false},
      {"only the answer has one", 3, std::nullopt, false},
      {"bottom against right", 0, 3, false},
      {"both at the right", 3, 3, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExcelObjects o = pair_of(with_legend(c.answer), with_legend(c.target));
    EXPECT_EQ(CompareLegendPosition(o, 1, 0), c.same);
    EXPECT_EQ(CompareHasLegend(o, 1, 0), c.answer.has_value() == c.target.has_value());
  }
  // No chart object on the answer sheet: the answer is whether the target's active chart lacks
  // a legend; nothing was activated in the target instance, so it has none.
  ExcelObjects missing = open_charts(chart_book({}), chart_book({column_chart()}));
  EXPECT_TRUE(CompareLegendPosition(missing, 1, 0));
  missing.TargetSheet->ChartObjects()->Item(Variant(1))->Activate();
  EXPECT_FALSE(CompareLegendPosition(missing, 1, 0));
}

TEST(ChartProcedures, ChartLevelFlags) {
  ChartSpec fixed_fonts = column_chart();
  fixed_fonts.scaled_fonts = false;
  ChartSpec table = column_chart();
  table.data_table = 0x08;
  ChartSpec table_without_keys = column_chart();
  table_without_keys.data_table = 0x00;
  ExcelObjects fonts = pair_of(column_chart(), fixed_fonts);
  EXPECT_FALSE(CompareChartAutoScaleFont(fonts, 1));
  ExcelObjects same = pair_of(column_chart(), column_chart());
  EXPECT_TRUE(CompareChartAutoScaleFont(same, 1));
  EXPECT_TRUE(CompareHasDataTable(same, 1, 0));
  EXPECT_FALSE(CompareDataTableLegendKey(same, 1, 0));  // no data table on either side
  ExcelObjects keys = pair_of(table, table_without_keys);
  EXPECT_TRUE(CompareHasDataTable(keys, 1, 0));
  EXPECT_FALSE(CompareDataTableLegendKey(keys, 1, 0));
  EXPECT_FALSE(CompareWallsColor(same, 1, 0));  // a 2-D chart has no walls

  ChartSpec plot = column_chart();
  plot.plot_fill = 22;
  ExcelObjects plots = pair_of(column_chart(), plot);
  EXPECT_FALSE(ComparePlotAreaColor(plots, 1, 0));
  EXPECT_TRUE(ComparePlotAreaColor(same, 1, 0));

  ChartSpec varied = column_chart();
  varied.groups[0].varied = true;
  ExcelObjects vary = pair_of(column_chart(), varied);
  int16_t group = 0;
  EXPECT_FALSE(CompareVaryByCategories(vary, 1, group, 0));
  EXPECT_EQ(group, 1);
  EXPECT_TRUE(CompareVaryByCategories(same, 1, group, 0));

  // A chart object on the answer sheet only.
  ExcelObjects one_sided = open_charts(chart_book({column_chart()}), chart_book({}));
  EXPECT_FALSE(CompareHasLegend(one_sided, 1, 0));
  EXPECT_FALSE(CompareChartAutoScaleFont(one_sided, 1));
}

TEST(ChartProcedures, AxisMembers) {
  ChartSpec titled = column_chart();
  titled.value_title = u"금액";
  ChartSpec blank = titled;
  blank.value_title = u"금액 ";
  ChartSpec flat = titled;
  flat.value_title_rotation = 0;
  ChartSpec fixed = column_chart();
  fixed.value_maximum = 700;  // the automatic maximum for 40 .. 600 is also 700
  ChartSpec fixed_other = column_chart();
  fixed_other.value_maximum = 800;

  ExcelObjects same = pair_of(titled, titled);
  EXPECT_TRUE(CompareValueAxisTitle(same, 1, 0));
  EXPECT_TRUE(CompareValueAxisTitleOrientation(same, 1, 0));
  EXPECT_FALSE(CompareSecondaryAxisTitle(same, 1, 0));    // neither has a secondary axis
  EXPECT_FALSE(CompareSecondaryAxisMaximum(same, 1, 0));
  EXPECT_FALSE(CompareCategoryAxisTitle(same, 1, 0));     // neither has a category title
  EXPECT_TRUE(CompareValueAxisGridlines(same, 1, 0));
  EXPECT_TRUE(CompareCategoryAxisCrosses(same, 1, 0));
  ExcelObjects trailing = pair_of(titled, blank);
  EXPECT_FALSE(CompareValueAxisTitle(trailing, 1, 0));
  ExcelObjects turned = pair_of(titled, flat);
  EXPECT_FALSE(CompareValueAxisTitleOrientation(turned, 1, 0));
  ExcelObjects automatic = pair_of(fixed, column_chart());
  EXPECT_TRUE(CompareValueAxisMaximum(automatic, 1, 0));
  EXPECT_TRUE(CompareValueAxisMajorUnit(automatic, 1, 0));
  ExcelObjects different = pair_of(fixed, fixed_other);
  EXPECT_FALSE(CompareValueAxisMaximum(different, 1, 0));

  ChartSpec reversed = column_chart();
  reversed.reversed_categories = true;
  ChartSpec no_grid = column_chart();
  no_grid.value_gridlines = false;
  ExcelObjects sheets = open_charts(chart_sheet_book(reversed), chart_sheet_book(no_grid));
  EXPECT_FALSE(CompareCategoryAxisReverseOrder(sheets, 1, 2));
  EXPECT_FALSE(CompareValueAxisGridlines(sheets, 1, 2));
  EXPECT_TRUE(CompareCategoryAxisGridlines(sheets, 1, 2));
}

TEST(ChartProcedures, DataRange) {
  auto with_values = [](const char16_t* values, const char16_t* categories = u"Sheet1!$A$2:$A$7") {
    ChartSpec s = column_chart();
    s.series[0].values_ref = values;
    s.series[0].categories_ref = categories;
    return s;
  };
  ChartSpec three = column_chart();
  three.series.push_back(testing::sales_series());
  ChartSpec swapped = column_chart();
  std::swap(swapped.series[0], swapped.series[1]);
  ChartSpec no_categories = column_chart();
  no_categories.series[0].categories_ref.clear();
  struct Case {
    const char* name;
    ChartSpec answer, target;
    bool same;
  };
  const Case cases[] = {
      {"same series", column_chart(), column_chart(), true},
      {"one corner of the values found", column_chart(), with_values(u"Sheet1!$B$2:$B$6"), true},
      {"neither corner found", column_chart(), with_values(u"Sheet1!$B$3:$B$6"), false},
      {"same cells on another sheet", column_chart(), with_values(u"Sheet2!$B$2:$B$7"), true},
      {"two series against three", column_chart(), three, false},
      {"series in the other order", column_chart(), swapped, false},
      {"fewer categories than answer values", column_chart(), with_values(u"Sheet1!$B$2:$B$7", u"Sheet1!$A$2:$A$6"),
       false},
      {"no categories on either side", no_categories, no_categories, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExcelObjects o = pair_of(c.answer, c.target);
    EXPECT_EQ(CompareChartDataRange(o, 1, 1, 0), c.same);
  }
  // On chart sheets the sheet qualifier counts.
  ExcelObjects sheets = open_charts(chart_sheet_book(column_chart()), chart_sheet_book(with_values(u"Sheet2!$B$2:$B$7")));
  EXPECT_FALSE(CompareChartDataRange(sheets, 1, 1, 2));
  ExcelObjects same_sheets = open_charts(chart_sheet_book(column_chart()), chart_sheet_book(column_chart()));
  EXPECT_TRUE(CompareChartDataRange(same_sheets, 1, 1, 2));
}

TEST(ChartProcedures, SeriesAndPointMembers) {
  auto labelled = [](std::vector<std::pair<uint16_t, uint16_t>> labels, bool smooth = false) {
    ChartSpec s = column_chart();
    s.series[0].point_labels = std::move(labels);
    s.series[0].smooth = smooth;
    s.series[0].line_color = 10;
    return s;
  };
  ExcelObjects none = pair_of(labelled({}), labelled({}));
  EXPECT_TRUE(ComparePointDataLabel(none, 1, 1, 2, 0));
  ExcelObjects answer_only = pair_of(labelled({{1, 0x01}}), labelled({}));
  EXPECT_FALSE(ComparePointDataLabel(answer_only, 1, 1, 2, 0));
  EXPECT_FALSE(ComparePointHasDataLabel(answer_only, 1, 1, 2, 0));  // reads the charts activated above
  ExcelObjects same_text = pair_of(labelled({{1, 0x01}}), labelled({{1, 0x01}}));
  EXPECT_TRUE(ComparePointDataLabel(same_text, 1, 1, 2, 0));
  ExcelObjects other_text = pair_of(labelled({{1, 0x01}}), labelled({{1, 0x11}}));
  EXPECT_FALSE(ComparePointDataLabel(other_text, 1, 1, 2, 0));

  ExcelObjects smooth = pair_of(labelled({}), labelled({}, true));
  EXPECT_FALSE(CompareSeriesSmooth(smooth, 1, 0, 1));
  EXPECT_TRUE(CompareSeriesBorderColor(smooth, 1, 1, 1));
  EXPECT_TRUE(CompareSeriesName(smooth, 1, 0, 2));
  ExcelObjects nothing_active = pair_of(labelled({}), labelled({}));
  EXPECT_FALSE(CompareSeriesBorderColor(nothing_active, 1, 1, 1));  // no active chart yet
}

// The target sheet's rows and columns as given, for the layout and placement procedures.
double target_row_height(ExcelObjects& o, const char16_t* rows) {
  return testing::at(o.TargetSheet, rows)->RowHeight().to_double();
}

TEST(ChartProcedures, AlignLayoutFindsTheChartObjects) {
  struct Case {
    size_t target_charts;
    bool second, first;  // results of (2, 0) and (1, 0)
  };
  const Case cases[] = {{0, true, true}, {1, true, false}, {2, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target_charts);
    auto answer = chart_book({column_chart()});
    answer->sheets[0]->rows[4].height = 300;  // row 5: 15 points
    auto target = chart_book(std::vector<ChartSpec>(c.target_charts, column_chart()));
    target->sheets[0]->rows[4] = model::RowInfo{600, true};   // row 5: 30 points
    target->sheets[0]->rows[50] = model::RowInfo{600, true};  // row 51
    target->sheets[0]->column_info_for_edit(9).width = 5000;  // column J
    ExcelObjects o = open_charts(std::move(answer), std::move(target));
    const double column_j = testing::at(o.TargetSheet, u"J:J")->ColumnWidth().to_double();
    EXPECT_EQ(AlignLayoutAndActivateObject(o, 2, 0), c.second);
    EXPECT_EQ(AlignLayoutAndActivateObject(o, 1, 0), c.first);
    EXPECT_EQ(target_row_height(o, u"5:5"), 15);
    EXPECT_EQ(target_row_height(o, u"51:51"), 30);
    EXPECT_EQ(testing::at(o.TargetSheet, u"J:J")->ColumnWidth().to_double(), column_j);
    EXPECT_EQ(o.TargetExcel->ActiveChart() != nullptr, c.target_charts > 0);
    EXPECT_EQ(o.AnswerExcel->ActiveChart(), nullptr);
  }
}

// Tolerances: width [a - 30, a + 30), height, left [a - 30, a + 30], top [a - 10, a + 10].
// Columns of 64 pixels (48 points): an offset of 640/1024 of a column is 30 points, 624 is
// 29.25 and 656 is 30.75. Heights go by whole pixels of 0.75 points, so the vertical cases make
// a target row taller by whole pixels: 9.75 and 10.5 points, 30 and 30.75 points.
TEST(ChartProcedures, SizeAndPositionTolerances) {
  auto place = [](int dx1, int dx2, int row_offset) {
    model::Anchor a = testing::kChartPlace;
    a.dx1 = dx1;
    a.dx2 = dx2;
    a.row1 += row_offset;
    a.row2 += row_offset;
    return a;
  };
  const model::Anchor base = place(0, 0, 0);
  ExcelObjects probe = open_charts(chart_book({column_chart()}, {base}), chart_book({column_chart()}, {base}));
  auto object = probe.AnswerSheet->ChartObjects()->Item(Variant(1));
  ASSERT_EQ(object->Width(), 6 * 48) << "columns of 64 pixels expected";

  struct Case {
    const char* name;
    model::Anchor target;
    bool size, position;
  };
  const Case cases[] = {
      {"same place", base, true, true},
      {"29.25 points wider", place(0, 624, 0), true, true},
      {"exactly 30 points wider", place(0, 640, 0), false, true},
      {"exactly 30 points narrower", place(640, 0, 0), true, true},
      {"30.75 points narrower", place(656, 0, 0), false, false},
      {"30 points to the right", place(640, 640, 0), true, true},
      {"30.75 points to the right", place(656, 656, 0), true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExcelObjects o = open_charts(chart_book({column_chart()}, {base}), chart_book({column_chart()}, {c.target}));
    EXPECT_EQ(CompareChartSize(o, u"B9", u"G22", 1), c.size);
    EXPECT_EQ(CompareChartPosition(o, 1), c.position);
  }

  // Heights and tops through the target's rows: row 9 (the chart's first row) or row 10 made
  // taller moves or stretches the chart by the difference.
  struct RowCase {
    const char* name;
    int row;
    uint16_t twips;
    bool size, position;
  };
  const RowCase rows[] = {
      {"9.75 points lower", 7, 255 + 195, true, true},
      {"10.5 points lower", 7, 255 + 210, true, false},
      {"exactly 30 points taller", 9, 255 + 600, true, true},
      {"30.75 points taller", 9, 255 + 615, false, true},
  };
  for (const RowCase& c : rows) {
    SCOPED_TRACE(c.name);
    auto target = chart_book({column_chart()}, {base});
    target->sheets[0]->rows[c.row] = model::RowInfo{c.twips, true};
    ExcelObjects o = open_charts(chart_book({column_chart()}, {base}), std::move(target));
    EXPECT_EQ(CompareChartSize(o, u"B9", u"G22", 1), c.size);
    EXPECT_EQ(CompareChartPosition(o, 1), c.position);
  }
}

TEST(ChartProcedures, FrameComparisons) {
  ChartSpec shadow = column_chart();
  shadow.shadow = true;
  ExcelObjects o = pair_of(column_chart(), shadow);
  EXPECT_FALSE(CompareChartShadow(o, 1, 0));
  EXPECT_TRUE(CompareChartRoundedCorners(o, 1));
  ExcelObjects sheets = open_charts(chart_sheet_book(shadow), chart_sheet_book(shadow));
  EXPECT_TRUE(CompareChartShadow(sheets, 1, 2));
  ExcelObjects missing = open_charts(chart_book({column_chart()}), chart_book({}));
  EXPECT_FALSE(CompareChartRoundedCorners(missing, 1));
}

}  // namespace
}  // namespace tabrel::inspect
