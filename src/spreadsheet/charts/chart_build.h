#pragma once
// Building and changing a chart's model: a new chart of a chart-type number, another type for the
// chart or one series, series from a block of cells, a series on the secondary axes, titles,
// legend and data labels. The numbers are the automation interface's chart-type numbers
// (51 clustered column, 4 line, 65 line with markers, 5 pie, -4169 XY scatter, ...).

#include <optional>
#include <string>
#include <vector>

#include "spreadsheet/charts/series_formula.h"
#include "spreadsheet/model/chart.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::charts {

// Whether a chart or series can be given this chart-type number.
bool buildable_type(int chart_type);

// A chart of `chart_type` (a buildable one, else clustered columns) without series: one chart
// group with its axes, a legend on the right, the chart area and plot area framed.
model::Chart new_chart(int chart_type);

// Gives every chart group the type (the series keep their axes). False for a number that is
// not buildable.
bool set_chart_type(model::Chart& chart, int chart_type);
// Moves one series (its index in the chart's series) to a chart group of that type on its axes.
bool set_series_type(model::Chart& chart, size_t series, int chart_type);
// Moves one series to the primary (0) or secondary (1) axes, with the type it has now; the
// secondary axes are made when first used and dropped when no series uses them.
void set_axis_group(model::Chart& chart, size_t series, uint16_t axis_group);
uint16_t axis_group_of(const model::Chart& chart, const model::Series& series);

// A link to the cells of `area` (an absolute reference with the sheet).
model::ChartLink cell_link(model::Workbook& wb, const CellArea& area);

// The series a block of cells gives: by rows (1) or columns (2), or (0) by columns unless the
// block has more columns than rows. A first row or column whose cells (past the corner) hold no
// numbers gives the series names or the categories; a blank corner cell gives both.
struct SourceSeries {
  std::optional<CellArea> name, categories;
  CellArea values;
};
std::vector<SourceSeries> source_series(const model::Workbook& wb, const CellArea& block, int plot_by);

// Replaces the chart's series with `series` (all on the first chart group).
void set_series(model::Chart& chart, model::Workbook& wb, const std::vector<SourceSeries>& series);
// A new series (no values yet) on the first chart group; returns its index.
size_t add_series(model::Chart& chart);
void remove_series(model::Chart& chart, size_t series);

// Reads the linked cells into the series' cached values, categories and literal names.
void refresh_cache(model::Chart& chart, const model::Workbook& wb);

// The title of the chart (linked_to 1) or of an axis (3 category, 2 value; `axis_group` 0 or 1):
// nullopt removes it.
void set_title(model::Chart& chart, uint16_t linked_to, uint16_t axis_group, const std::optional<std::u16string>& text);
// The rotation of that title as the file stores it (0..180, 255 stacked); false when there is none.
bool set_title_rotation(model::Chart& chart, uint16_t linked_to, uint16_t axis_group, uint16_t rotation);

void set_legend(model::Chart& chart, bool shown);
// wType: 0 bottom, 1 corner, 2 top, 3 right, 4 left. Makes the legend when there is none.
void set_legend_position(model::Chart& chart, uint8_t position);

// The data labels of a series (point nullopt) or of one point: `parts` shown, none removes them.
// `separator` joins the parts (nullopt: the default).
void set_data_labels(model::Chart& chart, size_t series, std::optional<uint16_t> point, const model::LabelParts& parts,
                     const std::optional<std::u16string>& separator = std::nullopt);

// The series' own format (point 0xFFFF), made when it has none.
model::DataFormat& series_format(model::Chart& chart, size_t series);
// The format of one point, made from the series' own format (without its labels) when it has none.
model::DataFormat& point_format(model::Chart& chart, size_t series, uint16_t point);

// A part of a value axis's scale: fixed at `value`, or automatic again (nullopt). The axis of
// `type` (0 category, 1 value) in `group` must exist with a value scale.
enum class ScalePart { Minimum, Maximum, Major, Minor };
void set_axis_scale(model::Chart& chart, uint16_t type, uint16_t group, ScalePart part, std::optional<double> value);

// Shows or hides the major (or minor) gridlines of an existing axis.
void set_gridlines(model::Chart& chart, uint16_t type, uint16_t group, bool major, bool shown);

}  // namespace tabrel::charts
