#pragma once
// Chart substreams for tests, written record by record from a small description, and chart
// objects placed on a worksheet of a model workbook with such a chart inside.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "spreadsheet/model/raw_record.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::chart_test {

struct SeriesSpec {
  std::u16string name_ref;        // A1 reference text with its sheet ("Sheet1!$B$1"), or empty
  std::u16string literal_name;    // a literal name when there is no reference
  std::u16string values_ref;      // "Sheet1!$B$2:$B$5"
  std::u16string categories_ref;  // empty: no categories
  uint16_t group = 0;             // drawing order of its chart group
  std::optional<uint16_t> line_color;  // palette entry (8..63) of its line
  std::optional<uint16_t> fill_color;  // palette entry of its fill
  bool smooth = false;
  bool no_markers = false;
  uint16_t label_flags = 0;       // data labels of every point (ATTACHEDLABEL flags)
  std::vector<std::pair<uint16_t, uint16_t>> point_labels;  // (point from 0, ATTACHEDLABEL flags)
};

struct GroupSpec {
  uint16_t type = 0x1017;         // the type record: 0x1017 bar/column, 0x1018 line, 0x1019 pie ...
  std::vector<uint8_t> payload = {0, 0, 150, 0, 0, 0};  // its fields (a clustered column)
  uint16_t axis_group = 0;
  bool three_d = false;
  bool varied = false;
  std::optional<uint8_t> legend;  // legend position (0 bottom, 3 right ...), when it has one
};

struct ChartSpec {
  std::vector<GroupSpec> groups{GroupSpec{}};
  std::vector<SeriesSpec> series;
  bool axes = true;
  std::optional<std::u16string> title;
  std::optional<std::u16string> value_title;
  uint16_t value_title_rotation = 90;
  std::optional<std::u16string> category_title;
  std::optional<std::u16string> secondary_title;
  bool value_gridlines = true;
  std::optional<double> value_maximum;  // a fixed maximum of the primary value axis
  bool reversed_categories = false;
  std::optional<uint16_t> data_table;   // Dat flags (8: legend keys shown)
  bool scaled_fonts = true;
  bool shadow = false;
  std::optional<uint16_t> plot_fill;    // palette entry of the plot area
  std::optional<uint16_t> wall_fill;    // palette entry of the walls
};

SeriesSpec series(std::u16string name_ref, std::u16string values_ref, std::u16string categories_ref = {});
SeriesSpec literal_series(std::u16string name, std::u16string values_ref);
GroupSpec group(uint16_t type, std::vector<uint8_t> payload, uint16_t axis_group = 0);

// BOF .. EOF of the chart; references are resolved against `wb`.
std::vector<model::RawRecord> chart_records(model::Workbook& wb, const ChartSpec& spec);

// Adds a chart object over `anchor` on sheet `sheet` with the chart inside, decoded as the file
// reader decodes it. Returns the object's index among the sheet's drawings.
size_t add_chart_object(model::Workbook& wb, size_t sheet, const ChartSpec& spec, model::Anchor anchor);

// Makes sheet `sheet` a chart sheet holding the chart.
void make_chart_sheet(model::Workbook& wb, size_t sheet, const ChartSpec& spec);

}  // namespace tabrel::chart_test
