#include "spreadsheet/charts/chart_build.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "spreadsheet/formula/sheet_names.h"

namespace tabrel::charts {
namespace {

using K = model::ChartGroupKind;

enum class Markers : uint8_t { Automatic, None };
enum class Lines : uint8_t { Automatic, None };

// What a chart-type number sets: the group's type record and flags, its 3-D view, and the
// series' markers, lines and smoothing.
struct TypeSpec {
  int number;
  K kind;
  uint16_t flags = 0;
  std::optional<uint16_t> view;  // Chart3d flags
  Markers markers = Markers::Automatic;
  Lines lines = Lines::Automatic;
  bool smooth = false;
  uint16_t hole = 0;
};

constexpr uint16_t kPerspective = 0x15, kClustered3D = 0x16, kPie3D = 0x05;

TypeSpec T(int number, K kind, uint16_t flags = 0, std::optional<uint16_t> view = std::nullopt,
           Markers markers = Markers::Automatic, Lines lines = Lines::Automatic, bool smooth = false, uint16_t hole = 0) {
  return TypeSpec{number, kind, flags, view, markers, lines, smooth, hole};
}

const std::array<TypeSpec, 30> kTypes{
    T(51, K::Bar),
    T(52, K::Bar, 0x02),
    T(53, K::Bar, 0x06),
    T(57, K::Bar, 0x01),
    T(58, K::Bar, 0x03),
    T(59, K::Bar, 0x07),
    T(54, K::Bar, 0x00, kClustered3D),
    T(55, K::Bar, 0x02, kClustered3D),
    T(56, K::Bar, 0x06, kClustered3D),
    T(60, K::Bar, 0x01, kClustered3D),
    T(61, K::Bar, 0x03, kClustered3D),
    T(-4100, K::Bar, 0x00, kPerspective),
    T(4, K::Line, 0x00, std::nullopt, Markers::None),
    T(63, K::Line, 0x01, std::nullopt, Markers::None),
    T(65, K::Line, 0x00),
    T(66, K::Line, 0x01),
    T(-4101, K::Line, 0x00, kPerspective, Markers::None),
    T(5, K::Pie),
    T(-4102, K::Pie, 0x00, kPie3D),
    T(-4120, K::Pie, 0x00, std::nullopt, Markers::Automatic, Lines::Automatic, false, 50),
    T(1, K::Area),
    T(76, K::Area, 0x01),
    T(77, K::Area, 0x03),
    T(-4098, K::Area, 0x00, kPerspective),
    T(-4169, K::Scatter, 0x00, std::nullopt, Markers::Automatic, Lines::None),
    T(74, K::Scatter),
    T(75, K::Scatter, 0x00, std::nullopt, Markers::None),
    T(72, K::Scatter, 0x00, std::nullopt, Markers::Automatic, Lines::Automatic, true),
    T(73, K::Scatter, 0x00, std::nullopt, Markers::None, Lines::Automatic, true),
    T(-4151, K::Radar, 0x00, std::nullopt, Markers::None),
};

const TypeSpec* spec_of(int number) {
  for (const TypeSpec& s : kTypes)
    if (s.number == number) return &s;
  return nullptr;
}

bool has_axes(const model::ChartGroup& g) { return g.kind != K::Pie; }
// 3-D columns, lines and areas in perspective have a series (depth) axis.
bool has_series_axis(const model::ChartGroup& g) { return g.view && !g.view->clustered() && g.kind != K::Pie; }

void shape_group(model::ChartGroup& g, const TypeSpec& spec) {
  g.kind = spec.kind;
  g.flags = spec.flags;
  g.overlap = spec.kind == K::Bar && (spec.flags & 0x02) ? -100 : 0;
  g.gap = 150;
  g.hole = spec.hole;
  g.first_angle = 0;
  g.varied = spec.kind == K::Pie;
  // The group's default format carries the type's markers, lines and smoothing for series
  // without formats of their own.
  g.format.reset();
  if (spec.markers == Markers::None || spec.lines == Lines::None || spec.smooth) {
    model::DataFormat f;
    f.series = 0;
    f.smooth = spec.smooth;
    if (spec.markers == Markers::None) f.marker = model::MarkerFormat{0, false};
    if (spec.lines == Lines::None) {
      f.line = model::LineFormat{};
      f.line->pattern = 5;
      f.line->automatic = false;
    }
    g.format = f;
  }
  g.chart_lines.clear();
  g.up_down_bars = false;
  if (spec.view) {
    model::Chart3D v;
    v.flags = *spec.view;
    if (spec.kind == K::Pie) v.elevation = 30, v.rotation = 0;
    g.view = v;
  } else {
    g.view.reset();
  }
}

// The series' own markers, lines and smoothing follow the type; colours chosen stay.
void shape_series(model::Series& s, const TypeSpec& spec, size_t index) {
  model::DataFormat* f = nullptr;
  for (model::DataFormat& each : s.formats)
    if (each.point == model::DataFormat::kWholeSeries) f = &each;
  const bool needs = spec.markers == Markers::None || spec.lines == Lines::None || spec.smooth;
  if (!f && !needs) return;
  if (!f) {
    s.formats.push_back(model::DataFormat{});
    f = &s.formats.back();
    f->series = f->order = static_cast<uint16_t>(index);
  }
  f->smooth = spec.smooth;
  if (spec.markers == Markers::None) f->marker = model::MarkerFormat{0, false};
  else f->marker.reset();
  if (spec.lines == Lines::None) {
    f->line = model::LineFormat{};
    f->line->pattern = 5;
    f->line->automatic = false;
  } else if (f->line && f->line->pattern == 5) {
    f->line.reset();
  }
}

model::Axis make_axis(uint16_t type, uint16_t group) {
  model::Axis a;
  a.type = type;
  a.group = group;
  if (type == 1) {
    a.value_scale = model::ValueScale{};
    a.major_gridlines = group == 0;
  } else {
    a.category_scale = model::CategoryScale{};
  }
  if (group == 1 && type == 0) a.major_ticks = 0, a.label_position = 0;  // the hidden secondary category axis
  return a;
}

// Axes for each axis group a chart group uses, chart groups in axis-group order numbered from 0,
// groups without series dropped (the first one stays), the legend with the first group.
void normalize(model::Chart& chart) {
  std::optional<model::Legend> legend;
  for (model::ChartGroup& g : chart.groups)
    if (g.legend) legend = g.legend, g.legend.reset();
  std::vector<model::ChartGroup> kept;
  for (const model::ChartGroup& g : chart.groups) {
    const bool used = std::any_of(chart.series.begin(), chart.series.end(),
                                  [&](const model::Series& s) { return !s.auxiliary && s.group == g.order; });
    if (used) kept.push_back(g);
  }
  if (kept.empty() && !chart.groups.empty()) kept.push_back(chart.groups.front());
  std::stable_sort(kept.begin(), kept.end(),
                   [](const model::ChartGroup& a, const model::ChartGroup& b) { return a.axis_group < b.axis_group; });
  for (model::Series& s : chart.series) {
    for (size_t i = 0; i < kept.size(); ++i)
      if (kept[i].order == s.group) {
        s.group = static_cast<uint16_t>(1000 + i);
        break;
      }
  }
  for (model::Series& s : chart.series)
    if (s.group >= 1000) s.group = static_cast<uint16_t>(s.group - 1000);
  for (size_t i = 0; i < kept.size(); ++i) kept[i].order = static_cast<uint16_t>(i);
  if (!kept.empty()) kept.front().legend = legend;
  chart.groups = std::move(kept);

  std::vector<model::Axis> axes;
  for (uint16_t axis_group : {uint16_t{0}, uint16_t{1}}) {
    bool axes_used = false, series_axis = false;
    for (const model::ChartGroup& g : chart.groups)
      if (g.axis_group == axis_group && has_axes(g)) axes_used = true, series_axis |= has_series_axis(g);
    if (!axes_used) continue;
    for (uint16_t type : {uint16_t{0}, uint16_t{1}, uint16_t{2}}) {
      if (type == 2 && !series_axis) continue;
      const model::Axis* old = chart.axis(type, axis_group);
      axes.push_back(old ? *old : make_axis(type, axis_group));
    }
  }
  chart.axes = std::move(axes);
  std::erase_if(chart.texts, [&](const model::ChartText& t) {
    if (t.linked_to != 2 && t.linked_to != 3 && t.linked_to != 7) return false;
    const uint16_t type = t.linked_to == 3 ? 0 : t.linked_to == 2 ? 1 : 2;
    return chart.axis(type, t.axis_group) == nullptr;
  });
}

uint16_t next_order(const model::Chart& chart) {
  uint16_t next = 0;
  for (const model::ChartGroup& g : chart.groups) next = std::max<uint16_t>(next, static_cast<uint16_t>(g.order + 1));
  return next;
}

bool same_shape(const model::ChartGroup& g, const TypeSpec& spec) {
  model::ChartGroup shaped;
  shape_group(shaped, spec);
  const auto marker = [](const model::ChartGroup& x) { return x.format && x.format->marker; };
  const auto no_line = [](const model::ChartGroup& x) { return x.format && x.format->line; };
  const auto smooth = [](const model::ChartGroup& x) { return x.format && x.format->smooth; };
  return g.kind == spec.kind && g.flags == spec.flags && g.view.has_value() == spec.view.has_value() &&
         g.hole == spec.hole && marker(g) == marker(shaped) && no_line(g) == no_line(shaped) &&
         smooth(g) == smooth(shaped);
}

model::ChartValue cell_value(const model::Workbook& wb, int sheet, model::CellRef at) {
  model::ChartValue v;
  if (sheet < 0 || static_cast<size_t>(sheet) >= wb.sheets.size()) return v;
  const model::Cell* c = wb.sheets[static_cast<size_t>(sheet)]->cells.find(at);
  if (!c) return v;
  const model::CellValue& value = c->value;
  if (value.is_number()) v.kind = model::ChartValue::Kind::Number, v.number = value.as_number();
  else if (value.is_text()) v.kind = model::ChartValue::Kind::Text, v.text = value.as_text();
  else if (value.is_bool()) v.kind = model::ChartValue::Kind::Bool, v.number = value.as_bool() ? 1 : 0;
  else if (value.is_error()) v.kind = model::ChartValue::Kind::Error, v.number = static_cast<double>(value.as_error());
  return v;
}

std::vector<model::ChartValue> link_cache(const model::Workbook& wb, const model::ChartLink& link) {
  std::vector<model::ChartValue> out;
  const auto areas = link_areas(wb, link);
  if (!areas) return out;
  for (const CellArea& a : *areas)
    for (int r = a.range.first.row; r <= a.range.last.row; ++r)
      for (int c = a.range.first.col; c <= a.range.last.col; ++c) out.push_back(cell_value(wb, a.sheet, {r, c}));
  return out;
}

bool holds_number(const model::Workbook& wb, int sheet, const model::RangeRef& r) {
  for (int row = r.first.row; row <= r.last.row; ++row)
    for (int col = r.first.col; col <= r.last.col; ++col)
      if (cell_value(wb, sheet, {row, col}).kind == model::ChartValue::Kind::Number) return true;
  return false;
}

bool blank(const model::Workbook& wb, int sheet, model::CellRef at) {
  return cell_value(wb, sheet, at).kind == model::ChartValue::Kind::Blank;
}

}  // namespace

bool buildable_type(int chart_type) { return spec_of(chart_type) != nullptr; }

model::Chart new_chart(int chart_type) {
  model::Chart chart;
  chart.sheet_flags = 0x000A;  // plot visible cells only; the plot area is laid out automatically
  chart.area.auto_size = false;
  chart.area.auto_position = true;
  model::ChartFrame plot;
  plot.auto_size = plot.auto_position = true;
  chart.plot_area = plot;
  model::ChartGroup g;
  g.legend = model::Legend{};
  chart.groups.push_back(g);
  if (!set_chart_type(chart, chart_type)) set_chart_type(chart, 51);
  return chart;
}

bool set_chart_type(model::Chart& chart, int chart_type) {
  const TypeSpec* spec = spec_of(chart_type);
  if (!spec) return false;
  for (model::ChartGroup& g : chart.groups) shape_group(g, *spec);
  // Groups now alike on the same axes become one.
  for (model::Series& s : chart.series) {
    const model::ChartGroup* g = chart.group(s.group);
    const uint16_t axis_group = g ? g->axis_group : 0;
    for (const model::ChartGroup& first : chart.groups)
      if (first.axis_group == axis_group) {
        s.group = first.order;
        break;
      }
  }
  for (size_t i = 0; i < chart.series.size(); ++i) shape_series(chart.series[i], *spec, i);
  normalize(chart);
  return true;
}

uint16_t axis_group_of(const model::Chart& chart, const model::Series& series) {
  const model::ChartGroup* g = chart.group(series.group);
  return g ? g->axis_group : 0;
}

// The group of `spec` on `axis_group`, made when there is none.
static uint16_t group_for(model::Chart& chart, const TypeSpec& spec, uint16_t axis_group) {
  for (const model::ChartGroup& g : chart.groups)
    if (g.axis_group == axis_group && same_shape(g, spec)) return g.order;
  model::ChartGroup g;
  shape_group(g, spec);
  g.axis_group = axis_group;
  g.order = next_order(chart);
  chart.groups.push_back(g);
  return g.order;
}

bool set_series_type(model::Chart& chart, size_t series, int chart_type) {
  const TypeSpec* spec = spec_of(chart_type);
  if (!spec || series >= chart.series.size()) return false;
  model::Series& s = chart.series[series];
  s.group = group_for(chart, *spec, axis_group_of(chart, s));
  shape_series(s, *spec, series);
  normalize(chart);
  return true;
}

void set_axis_group(model::Chart& chart, size_t series, uint16_t axis_group) {
  if (series >= chart.series.size() || axis_group > 1) return;
  model::Series& s = chart.series[series];
  const model::ChartGroup* now = chart.group(s.group);
  if (!now || now->axis_group == axis_group) return;
  const model::ChartGroup source = *now;
  for (const model::ChartGroup& g : chart.groups)
    if (g.axis_group == axis_group && g.kind == source.kind && g.flags == source.flags) {
      s.group = g.order;
      normalize(chart);
      return;
    }
  model::ChartGroup g = source;
  g.legend.reset();
  g.axis_group = axis_group;
  g.order = next_order(chart);
  chart.groups.push_back(g);
  chart.series[series].group = g.order;
  normalize(chart);
}

model::ChartLink cell_link(model::Workbook& wb, const CellArea& area) {
  model::ChartLink link;
  link.kind = 2;
  const uint16_t ixti = formula::link_for_sheets(wb, area.sheet, area.sheet);
  const model::RangeRef& r = area.range;
  auto put = [&](uint16_t v) {
    link.tokens.push_back(static_cast<uint8_t>(v & 0xFF));
    link.tokens.push_back(static_cast<uint8_t>(v >> 8));
  };
  if (r.first == r.last) {
    link.tokens.push_back(0x3A);  // PtgRef3d, reference class
    put(ixti), put(static_cast<uint16_t>(r.first.row)), put(static_cast<uint16_t>(r.first.col));
  } else {
    link.tokens.push_back(0x3B);  // PtgArea3d, reference class
    put(ixti), put(static_cast<uint16_t>(r.first.row)), put(static_cast<uint16_t>(r.last.row));
    put(static_cast<uint16_t>(r.first.col)), put(static_cast<uint16_t>(r.last.col));
  }
  return link;
}

std::vector<SourceSeries> source_series(const model::Workbook& wb, const CellArea& block, int plot_by) {
  const model::RangeRef& r = block.range;
  const int rows = r.last.row - r.first.row + 1, cols = r.last.col - r.first.col + 1;
  const bool by_rows = plot_by == 1 || (plot_by != 2 && cols > rows);
  const bool corner_blank = blank(wb, block.sheet, r.first);
  bool top_labels = rows > 1 && !holds_number(wb, block.sheet, {{r.first.row, std::min(r.first.col + 1, r.last.col)}, {r.first.row, r.last.col}});
  bool left_labels = cols > 1 && !holds_number(wb, block.sheet, {{std::min(r.first.row + 1, r.last.row), r.first.col}, {r.last.row, r.first.col}});
  if (corner_blank && rows > 1 && cols > 1) top_labels = left_labels = true;
  if (cols == 1) top_labels = top_labels && rows > 1;
  const int data_row = r.first.row + (top_labels ? 1 : 0), data_col = r.first.col + (left_labels ? 1 : 0);
  std::vector<SourceSeries> out;
  if (data_row > r.last.row || data_col > r.last.col) return out;
  if (!by_rows) {
    for (int c = data_col; c <= r.last.col; ++c) {
      SourceSeries s;
      s.values = {block.sheet, {{data_row, c}, {r.last.row, c}}};
      if (top_labels) s.name = CellArea{block.sheet, {{r.first.row, c}, {r.first.row, c}}};
      if (left_labels) s.categories = CellArea{block.sheet, {{data_row, r.first.col}, {r.last.row, r.first.col}}};
      out.push_back(s);
    }
  } else {
    for (int row = data_row; row <= r.last.row; ++row) {
      SourceSeries s;
      s.values = {block.sheet, {{row, data_col}, {row, r.last.col}}};
      if (left_labels) s.name = CellArea{block.sheet, {{row, r.first.col}, {row, r.first.col}}};
      if (top_labels) s.categories = CellArea{block.sheet, {{r.first.row, data_col}, {r.first.row, r.last.col}}};
      out.push_back(s);
    }
  }
  return out;
}

void set_series(model::Chart& chart, model::Workbook& wb, const std::vector<SourceSeries>& series) {
  const uint16_t first = chart.groups.empty() ? 0 : chart.groups.front().order;
  chart.series.clear();
  std::erase_if(chart.texts, [](const model::ChartText& t) { return t.linked_to == 4; });
  for (const SourceSeries& src : series) {
    model::Series s;
    s.group = first;
    s.values = cell_link(wb, src.values);
    if (src.name) s.name = cell_link(wb, *src.name);
    if (src.categories) s.categories = cell_link(wb, *src.categories);
    chart.series.push_back(std::move(s));
  }
  normalize(chart);
  refresh_cache(chart, wb);
}

size_t add_series(model::Chart& chart) {
  model::Series s;
  s.group = chart.groups.empty() ? 0 : chart.groups.front().order;
  chart.series.push_back(std::move(s));
  return chart.series.size() - 1;
}

void remove_series(model::Chart& chart, size_t series) {
  if (series >= chart.series.size()) return;
  chart.series.erase(chart.series.begin() + static_cast<long>(series));
  std::erase_if(chart.texts, [&](const model::ChartText& t) { return t.linked_to == 4 && t.series == series; });
  for (model::ChartText& t : chart.texts)
    if (t.linked_to == 4 && t.series > series) --t.series;
  for (size_t i = 0; i < chart.series.size(); ++i)
    for (model::DataFormat& f : chart.series[i].formats) f.series = f.order = static_cast<uint16_t>(i);
  normalize(chart);
}

void refresh_cache(model::Chart& chart, const model::Workbook& wb) {
  for (model::Series& s : chart.series) {
    if (s.values.is_reference()) s.cached_values = link_cache(wb, s.values);
    if (s.categories.is_reference()) s.cached_categories = link_cache(wb, s.categories);
    s.value_count = static_cast<uint16_t>(std::min<size_t>(s.cached_values.size(), 32000));
    s.category_count = static_cast<uint16_t>(std::min<size_t>(s.cached_categories.size(), 32000));
    const bool texts = std::any_of(s.cached_categories.begin(), s.cached_categories.end(),
                                   [](const model::ChartValue& v) { return v.kind == model::ChartValue::Kind::Text; });
    s.category_type = texts ? 3 : 1;
  }
}

namespace {

auto same_title(uint16_t linked_to, uint16_t axis_group) {
  return [=](const model::ChartText& t) {
    return t.linked_to == linked_to && (linked_to == 1 || t.axis_group == axis_group);
  };
}

}  // namespace

bool set_title_rotation(model::Chart& chart, uint16_t linked_to, uint16_t axis_group, uint16_t rotation) {
  const auto it = std::find_if(chart.texts.begin(), chart.texts.end(), same_title(linked_to, axis_group));
  if (it == chart.texts.end() || it->deleted) return false;
  it->rotation = rotation;
  return true;
}

void set_title(model::Chart& chart, uint16_t linked_to, uint16_t axis_group, const std::optional<std::u16string>& text) {
  const auto same = same_title(linked_to, axis_group);
  if (!text) {
    std::erase_if(chart.texts, same);
    return;
  }
  auto it = std::find_if(chart.texts.begin(), chart.texts.end(), same);
  if (it == chart.texts.end()) {
    model::ChartText t;
    t.linked_to = linked_to;
    t.axis_group = linked_to == 1 ? 0 : axis_group;
    const bool transposed = !chart.groups.empty() && chart.groups.front().transposed();
    if ((linked_to == 2 && !transposed) || (linked_to == 3 && transposed)) t.rotation = 90;
    chart.texts.push_back(t);
    it = chart.texts.end() - 1;
  }
  it->deleted = false;
  it->link = model::ChartLink{};
  it->link.kind = 1;
  it->text = *text;
}

void set_legend(model::Chart& chart, bool shown) {
  for (model::ChartGroup& g : chart.groups) {
    if (!shown) g.legend.reset();
  }
  if (shown && !chart.groups.empty() &&
      std::none_of(chart.groups.begin(), chart.groups.end(), [](const model::ChartGroup& g) { return g.legend.has_value(); }))
    chart.groups.front().legend = model::Legend{};
}

void set_legend_position(model::Chart& chart, uint8_t position) {
  set_legend(chart, true);
  for (model::ChartGroup& g : chart.groups)
    if (g.legend) {
      g.legend->position = position;
      g.legend->vertical = position == 3 || position == 4 || position == 1;
    }
}

model::DataFormat& series_format(model::Chart& chart, size_t series) {
  model::Series& s = chart.series.at(series);
  for (model::DataFormat& f : s.formats)
    if (f.point == model::DataFormat::kWholeSeries) return f;
  // A series' own format starts from its group's default markers, lines and smoothing.
  model::DataFormat f;
  if (const model::ChartGroup* g = chart.group(s.group); g && g->format) {
    f.marker = g->format->marker;
    f.line = g->format->line;
    f.smooth = g->format->smooth;
  }
  f.series = f.order = static_cast<uint16_t>(series);
  s.formats.insert(s.formats.begin(), f);
  return s.formats.front();
}

model::DataFormat& point_format(model::Chart& chart, size_t series, uint16_t point) {
  model::Series& s = chart.series.at(series);
  for (model::DataFormat& f : s.formats)
    if (f.point == point) return f;
  model::DataFormat made;
  if (const model::DataFormat* own = s.series_format()) made = *own;
  made.label.reset();
  made.point = point;
  made.series = made.order = static_cast<uint16_t>(series);
  s.formats.push_back(made);
  return s.formats.back();
}

namespace {

model::Axis& axis_to_change(model::Chart& chart, uint16_t type, uint16_t group) {
  for (model::Axis& a : chart.axes)
    if (a.type == type && a.group == group) return a;
  throw std::out_of_range("no such axis");
}

}  // namespace

void set_axis_scale(model::Chart& chart, uint16_t type, uint16_t group, ScalePart part, std::optional<double> value) {
  model::Axis& axis = axis_to_change(chart, type, group);
  if (!axis.value_scale) throw std::out_of_range("no value scale");
  model::ValueScale& v = *axis.value_scale;
  struct Field {
    double model::ValueScale::*number;
    uint16_t auto_flag;
  };
  const Field fields[] = {{&model::ValueScale::minimum, 0x01}, {&model::ValueScale::maximum, 0x02},
                          {&model::ValueScale::major, 0x04}, {&model::ValueScale::minor, 0x08}};
  const Field f = fields[static_cast<size_t>(part)];
  if (!value) {
    v.flags |= f.auto_flag;
    return;
  }
  v.*f.number = *value;
  v.flags &= static_cast<uint16_t>(~f.auto_flag);
}

void set_gridlines(model::Chart& chart, uint16_t type, uint16_t group, bool major, bool shown) {
  model::Axis& axis = axis_to_change(chart, type, group);
  (major ? axis.major_gridlines : axis.minor_gridlines) = shown;
}

void set_data_labels(model::Chart& chart, size_t series, std::optional<uint16_t> point, const model::LabelParts& parts,
                     const std::optional<std::u16string>& separator) {
  if (series >= chart.series.size()) return;
  const uint16_t xi = point.value_or(model::DataFormat::kWholeSeries);
  model::Series& s = chart.series[series];
  model::DataFormat* f = nullptr;
  if (!point) {
    f = &series_format(chart, series);
    // Labels of the whole series replace those of its points.
    for (model::DataFormat& each : s.formats)
      if (each.point != xi) each.label.reset();
    std::erase_if(chart.texts, [&](const model::ChartText& t) { return t.linked_to == 4 && t.series == series; });
  } else {
    f = &point_format(chart, series, xi);
  }
  auto same = [&](const model::ChartText& t) { return t.linked_to == 4 && t.series == series && t.point == xi; };
  std::erase_if(chart.texts, same);
  if (!parts.any()) {
    if (point) {
      // A point without a label inside a labelled series keeps a deleted label of its own.
      f->label = model::LabelParts{};
      model::ChartText t;
      t.linked_to = 4, t.series = static_cast<uint16_t>(series), t.point = xi, t.deleted = true;
      chart.texts.push_back(t);
    } else {
      f->label.reset();
    }
    return;
  }
  f->label = parts;
  model::ChartText t;
  t.linked_to = 4;
  t.series = static_cast<uint16_t>(series);
  t.point = xi;
  t.auto_text = true;
  t.shown = parts;
  t.separator = separator;
  chart.texts.push_back(t);
}

}  // namespace tabrel::charts
