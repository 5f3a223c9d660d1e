#include "spreadsheet/charts/chart_type.h"

namespace tabrel::charts {
namespace {

using K = model::ChartGroupKind;

// Offsets of the bar shapes' numbers from their family's first number (cylinder 92, cone 99,
// pyramid 106).
constexpr int kShapeClustered = 0, kShapeStacked = 1, kShapeStacked100 = 2, kShapeColumn3D = 6;
constexpr int kCylinder = 92, kCone = 99, kPyramid = 106;

// A format of the series, else the group's default format.
const model::DataFormat* format_of(const model::Series& series, const model::ChartGroup& group) {
  if (const model::DataFormat* f = series.series_format()) return f;
  return group.format ? &*group.format : nullptr;
}

bool has_markers(const model::Series& series, const model::ChartGroup& group) {
  const model::DataFormat* f = format_of(series, group);
  if (!f || !f->marker) return true;  // automatic markers
  return f->marker->automatic || f->marker->kind != 0;
}

bool has_lines(const model::Series& series, const model::ChartGroup& group) {
  const model::DataFormat* f = format_of(series, group);
  if (!f || !f->line) return true;
  return f->line->automatic || f->line->pattern != 5;
}

bool smooth(const model::Series& series, const model::ChartGroup& group) {
  const model::DataFormat* f = format_of(series, group);
  return f && f->smooth;
}

bool exploded(const model::Series& series, const model::ChartGroup& group) {
  const model::DataFormat* f = format_of(series, group);
  return f && f->explosion > 0;
}

int stack_offset(const model::ChartGroup& g) { return g.percent() ? 2 : g.stacked() ? 1 : 0; }

bool is_stock(const model::ChartGroup& g, const model::Chart& chart) {
  if (g.kind != K::Line) return false;
  bool high_low = false;
  for (uint16_t id : g.chart_lines) high_low |= id == 1;
  if (!high_low) return false;
  for (const model::Series& s : chart.series)
    if (!s.auxiliary && s.group == g.order && has_lines(s, g)) return false;
  return true;
}

const model::ChartGroup* stock_group(const model::Chart& chart) {
  for (const model::ChartGroup& g : chart.groups)
    if (is_stock(g, chart)) return &g;
  return nullptr;
}

int stock_type(const model::Chart& chart, const model::ChartGroup& stock) {
  bool volume = false;
  for (const model::ChartGroup& g : chart.groups) volume |= g.kind == K::Bar;
  if (volume) return stock.up_down_bars ? 91 : 90;
  return stock.up_down_bars ? 89 : 88;
}

int bar_type(const model::ChartGroup& g, const model::DataFormat* f) {
  const bool bar = g.transposed();
  if (!g.view) return (bar ? 57 : 51) + stack_offset(g);
  const uint8_t riser = f ? f->bar_riser : 0;
  const uint8_t taper = f ? f->bar_taper : 0;
  const bool column_3d = !bar && !g.view->clustered() && !g.stacked() && !g.percent();
  if (riser != 0 || taper != 0) {
    const int family = taper == 0 ? kCylinder : riser != 0 ? kCone : kPyramid;
    if (column_3d) return family + kShapeColumn3D;
    const int shape = g.percent() ? kShapeStacked100 : g.stacked() ? kShapeStacked : kShapeClustered;
    return family + (bar ? 3 : 0) + shape;
  }
  if (column_3d) return -4100;
  return (bar ? 60 : 54) + stack_offset(g);
}

int group_type(const model::Chart& chart, const model::ChartGroup& g, const model::Series* series) {
  static const model::Series none;
  const model::Series& s = series ? *series : none;
  const bool three_d = g.view.has_value();
  switch (g.kind) {
    case K::Bar: return bar_type(g, format_of(s, g));
    case K::Line: {
      if (const model::ChartGroup* stock = stock_group(chart)) return stock_type(chart, *stock);
      if (three_d) return -4101;
      const int base = has_markers(s, g) ? 65 : 63;
      if (base == 65) return 65 + stack_offset(g);
      return g.percent() ? 64 : g.stacked() ? 63 : 4;
    }
    case K::Area:
      if (three_d) return g.percent() ? 79 : g.stacked() ? 78 : -4098;
      return g.percent() ? 77 : g.stacked() ? 76 : 1;
    case K::Pie:
      if (g.hole > 0) return exploded(s, g) ? 80 : -4120;
      if (three_d) return exploded(s, g) ? 70 : -4102;
      return exploded(s, g) ? 69 : 5;
    case K::BarOfPie: return g.of_pie_kind == 2 ? 71 : 68;
    case K::Scatter: {
      if (g.bubbles()) {
        const model::DataFormat* f = format_of(s, g);
        return f && f->bubbles_3d ? 87 : 15;
      }
      const bool markers = has_markers(s, g);
      if (!has_lines(s, g)) return -4169;
      if (smooth(s, g)) return markers ? 72 : 73;
      return markers ? 74 : 75;
    }
    case K::Radar: return has_markers(s, g) ? 81 : -4151;
    case K::RadarArea: return 82;
    case K::Surface: {
      const bool filled = (g.flags & 0x01) != 0;
      const bool top_view = g.view && g.view->elevation == 90 && g.view->rotation == 0;
      if (top_view) return filled ? 85 : 86;
      return filled ? 83 : 84;
    }
    case K::None: break;
  }
  return 51;
}

}  // namespace

int series_chart_type(const model::Chart& chart, const model::Series& series) {
  const model::ChartGroup* g = chart.group(series.group);
  if (!g && !chart.groups.empty()) g = &chart.groups.front();
  if (!g) return 51;
  return group_type(chart, *g, &series);
}

int chart_type(const model::Chart& chart) {
  const auto plotted = chart.plotted_series();
  if (!plotted.empty()) return series_chart_type(chart, *plotted.front());
  if (chart.groups.empty()) return 51;
  return group_type(chart, chart.groups.front(), nullptr);
}

int older_type_number(const model::Chart& chart) {
  if (chart.groups.empty()) return 3;
  const model::ChartGroup& g = chart.groups.front();
  const bool three_d = g.view.has_value();
  switch (g.kind) {
    case K::Bar:
      if (three_d) return g.transposed() ? -4099 : -4100;
      return g.transposed() ? 2 : 3;
    case K::Line: return three_d ? -4101 : 4;
    case K::Area: return three_d ? -4098 : 1;
    case K::Pie: return g.hole > 0 ? -4120 : three_d ? -4102 : 5;
    case K::BarOfPie: return 5;
    case K::Scatter: return g.bubbles() ? 15 : -4169;
    case K::Radar:
    case K::RadarArea: return -4151;
    case K::Surface: return -4103;
    case K::None: break;
  }
  return 3;
}

}  // namespace tabrel::charts
