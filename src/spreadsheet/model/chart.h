#pragma once
// What a chart holds, as the file reader decodes it from the chart's records: chart groups and
// their types, series with their linked data and cached values, data formats per series and per
// point, data labels, axes with their scales, titles, legend, data table, plot area, walls and
// the chart area's frame. The records themselves stay with the chart (ChartData::records), so a
// written file loses nothing the model leaves out.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tabrel::model {

// The kind of a chart group: the record that opens the group's chart type.
enum class ChartGroupKind : uint8_t { None, Bar, Line, Pie, Area, Scatter, Radar, RadarArea, Surface, BarOfPie };

// A chart colour: the palette index the spreadsheet reports (icv) beside the stored RGB.
struct LineFormat {
  uint32_t rgb = 0;
  int16_t pattern = 0;       // lns: 0 solid .. 4 dash-dot-dot, 5 none
  int16_t weight = 0;        // we: -1 hairline, 0 narrow, 1 medium, 2 wide
  bool automatic = true;     // fAuto
  uint16_t color_index = 0;  // icv
  friend bool operator==(const LineFormat&, const LineFormat&) = default;
};

struct AreaFormat {
  uint32_t fore_rgb = 0, back_rgb = 0;
  uint16_t pattern = 1;      // fls: 0 none, 1 solid, ...
  bool automatic = true;     // fAuto
  uint16_t fore_index = 0, back_index = 0;  // icvFore, icvBack
  friend bool operator==(const AreaFormat&, const AreaFormat&) = default;
};

struct MarkerFormat {
  uint16_t kind = 0;         // imk: 0 none, 1 square, 2 diamond, ...
  bool automatic = true;     // fAuto
  friend bool operator==(const MarkerFormat&, const MarkerFormat&) = default;
};

// A FRAME: border kind, the frame's line and fill.
struct ChartFrame {
  uint16_t type = 0;         // frt: 0 plain, 4 with a shadow
  bool auto_size = false, auto_position = false;
  std::optional<LineFormat> line;
  std::optional<AreaFormat> area;
  bool shadow() const { return type == 4; }
};

// The parts a data label shows (ATTACHEDLABEL or the TEXT record's flags).
struct LabelParts {
  bool value = false;
  bool percent = false;
  bool category = false;       // fShowLabel (category name), also with fShowLabelAndPerc
  bool bubble_size = false;
  bool series_name = false;
  bool any() const { return value || percent || category || bubble_size || series_name; }
  friend bool operator==(const LabelParts&, const LabelParts&) = default;
};

// Linked data of a series or a text (BRAI): where it comes from, with its number format.
struct ChartLink {
  uint8_t kind = 0;          // rt: 0 automatic, 1 literal text, 2 a reference to cells, 4 an error
  bool own_format = false;   // fUnlinkedIfmt: `number_format` replaces the source cells' format
  uint16_t number_format = 0;
  std::vector<uint8_t> tokens;  // rgce of the reference
  bool is_reference() const { return kind == 2 && !tokens.empty(); }
};

// One cached value of a series (after SIINDEX): a number, a text, or nothing.
struct ChartValue {
  enum class Kind : uint8_t { Blank, Number, Text, Bool, Error } kind = Kind::Blank;
  double number = 0;
  std::u16string text;
};

// A DATAFORMAT: the formats of a whole series (point 0xFFFF) or of one point.
struct DataFormat {
  static constexpr uint16_t kWholeSeries = 0xFFFF;
  uint16_t point = kWholeSeries;  // xi
  uint16_t series = 0;            // yi: index of the series in the chart's records
  uint16_t order = 0;             // iss: the series' plot order
  std::optional<LineFormat> line;
  std::optional<AreaFormat> area;
  std::optional<MarkerFormat> marker;
  uint16_t explosion = 0;         // PieFormat: distance from the centre, in percent of the radius
  bool smooth = false;            // SerFmt fSmoothedLine
  bool bubbles_3d = false;        // SerFmt f3DBubbles
  std::optional<LabelParts> label;  // ATTACHEDLABEL
  uint8_t bar_riser = 0, bar_taper = 0;  // Chart3DBarShape: box/cylinder, no taper/to a point
};

// A TEXT with what follows it: title, axis title, data label, legend text or default text.
struct ChartText {
  // ObjectLink's wLinkObj: 0 none, 1 chart title, 2 value axis, 3 category axis, 4 series or
  // point, 7 series axis.
  uint16_t linked_to = 0;
  uint16_t series = 0, point = DataFormat::kWholeSeries;  // wLinkVar1, wLinkVar2 (for 4)
  uint16_t axis_group = 0;    // an axis title: 0 primary, 1 secondary axes
  uint8_t horizontal = 0, vertical = 0;  // at, vat
  uint16_t flags = 0;         // fAutoColor .. fShowLabel as stored
  uint16_t rotation = 0;      // trot: 0..90 counterclockwise, 91..180 clockwise, 255 stacked
  uint16_t placement = 0;     // dlp of a data label
  bool deleted = false;       // fDeleted
  bool auto_text = false;     // fAutoText: generated from the data
  LabelParts shown;           // the data-label parts the text's flags show
  ChartLink link;             // BRAI (0: the title's own text)
  std::u16string text;        // SeriesText: the literal text
  std::optional<uint16_t> font;  // FontX
  std::optional<uint16_t> number_format;  // IFmtRecord
  // DataLabExtContents: what joins a data label's parts (nullopt: the default ", ").
  std::optional<std::u16string> separator;
  ChartFrame frame;
};

struct Series {
  uint16_t value_type = 1, category_type = 1;  // sdtY, sdtX: 1 numbers, 3 texts
  uint16_t value_count = 0, category_count = 0, bubble_count = 0;
  ChartLink name, values, categories, bubble_sizes;
  std::u16string name_text;   // SeriesText of the name link (a literal name, or the cached one)
  uint16_t group = 0;         // SerToCrt: the chart group (drawing order) it belongs to
  bool auxiliary = false;     // a trend line or error bars (SerParent), not a series of its own
  int stored = -1;            // its index among the Series records read (-1: added since)
  std::vector<DataFormat> formats;
  // Cached data, as the file stores it after the chart's formats.
  std::vector<ChartValue> cached_values, cached_categories, cached_bubbles;
  // The series' own format (point 0xFFFF), nullptr when the file has none.
  const DataFormat* series_format() const;
  const DataFormat* point_format(uint16_t point) const;
};

struct Legend {
  uint8_t position = 3;       // wType: 0 bottom, 1 corner, 2 top, 3 right, 4 left, 7 not docked
  uint16_t flags = 0;
  bool vertical = true;       // fVert
  ChartFrame frame;
};

struct Chart3D {
  int16_t rotation = 20, elevation = 15;
  uint16_t distance = 30, height = 100, depth = 100, gap = 150;
  uint16_t flags = 0;         // fPerspective, fCluster, f3DScaling, ..., fNotPieChart, fWalls2D
  bool clustered() const { return (flags & 0x02) != 0; }
};

struct ChartGroup {
  ChartGroupKind kind = ChartGroupKind::None;
  uint16_t flags = 0;         // the type record's flags (stacked, 100%, transposed, bubbles ...)
  int16_t overlap = 0;        // Bar
  uint16_t gap = 150;         // Bar
  uint16_t first_angle = 0, hole = 0;  // Pie: start angle, doughnut hole in percent
  uint8_t of_pie_kind = 0;    // BopPop: 1 pie of pie, 2 bar of pie
  bool varied = false;        // ChartFormat fVaried: colours vary by point
  uint16_t order = 0;         // icrt: drawing order, which SerToCrt names
  uint16_t axis_group = 0;    // 0 primary, 1 secondary (its AxisParent)
  std::optional<Chart3D> view;
  std::optional<Legend> legend;
  std::vector<uint16_t> chart_lines;  // CrtLine ids: 0 drop, 1 high-low, 2 series lines, 3 leader
  bool up_down_bars = false;  // DropBar
  std::optional<DataFormat> format;   // the group's default format
  std::optional<std::u16string> label_separator;  // the group's default data labels' separator
  bool stacked() const;
  bool percent() const;
  bool transposed() const { return kind == ChartGroupKind::Bar && (flags & 0x01) != 0; }
  bool bubbles() const { return kind == ChartGroupKind::Scatter && (flags & 0x01) != 0; }
};

struct ValueScale {
  double minimum = 0, maximum = 0, major = 0, minor = 0, cross = 0;
  uint16_t flags = 0x1F;      // fAutoMin, fAutoMax, fAutoMajor, fAutoMinor, fAutoCross, fLog, fReversed, fMaxCross
  bool auto_minimum() const { return flags & 0x01; }
  bool auto_maximum() const { return flags & 0x02; }
  bool auto_major() const { return flags & 0x04; }
  bool auto_minor() const { return flags & 0x08; }
  bool auto_cross() const { return flags & 0x10; }
  bool logarithmic() const { return flags & 0x20; }
  bool reversed() const { return flags & 0x40; }
  bool cross_at_maximum() const { return flags & 0x80; }
};

struct CategoryScale {
  uint16_t cross = 1, label_interval = 1, mark_interval = 1;
  uint16_t flags = 0x01;      // fBetween, fMaxCross, fReversed
  bool between() const { return flags & 0x01; }
  bool cross_at_maximum() const { return flags & 0x02; }
  bool reversed() const { return flags & 0x04; }
};

struct Axis {
  uint16_t type = 0;          // 0 category, 1 value, 2 series
  uint16_t group = 0;         // 0 primary, 1 secondary
  std::optional<ValueScale> value_scale;
  std::optional<CategoryScale> category_scale;
  bool date_axis = false;     // AxcExt fDateAxis
  bool major_gridlines = false, minor_gridlines = false;
  std::optional<LineFormat> axis_line, major_line, minor_line;
  uint8_t major_ticks = 2, minor_ticks = 0, label_position = 3;  // Tick
  std::optional<uint16_t> number_format;
  std::optional<AreaFormat> wall_area;  // AxisLine 3 (walls, or the floor under a series axis)
  std::optional<LineFormat> wall_line;
};

struct Chart {
  double left = 0, top = 0, width = 0, height = 0;  // the Chart record, in points
  ChartFrame area;            // the chart area's frame
  std::optional<ChartFrame> plot_area;
  uint16_t sheet_flags = 0;   // ShtProps: fManSerAlloc, fPlotVisOnly, fNotSizeWith, ...
  uint8_t blanks_as = 0;      // ShtProps mdBlank: 0 gaps, 1 zero, 2 interpolated
  std::vector<Series> series;
  std::vector<ChartGroup> groups;
  std::vector<Axis> axes;
  std::vector<ChartText> texts;   // titles, axis titles, data labels (by their links)
  std::vector<ChartText> default_texts;
  std::optional<uint16_t> data_table_flags;  // Dat: fHasBordHorz, fHasBordVert, fHasBordOutline, fShowSeriesKey
  std::optional<Legend> data_table_legend;
  bool scaled_fonts = false;  // the chart keeps font-scaling records (Fbi, Fbi2)
  // What could not be read; the rest of the chart was.
  std::vector<std::string> problems;

  const ChartGroup* group(uint16_t order) const;
  const Axis* axis(uint16_t type, uint16_t group) const;
  const ChartText* text(uint16_t linked_to, uint16_t series = 0, uint16_t point = DataFormat::kWholeSeries) const;
  // The title of the axis of `type` (0 category, 1 value, 2 series) in `group`.
  const ChartText* axis_title(uint16_t type, uint16_t group) const;
  // The series that plot data, in the order the chart holds them (trend lines and error bars left out).
  std::vector<const Series*> plotted_series() const;
};

}  // namespace tabrel::model
