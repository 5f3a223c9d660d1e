#include "chart_json.h"

#include "spreadsheet/charts/chart_type.h"
#include "spreadsheet/charts/series_formula.h"
#include "spreadsheet/core/text.h"

namespace tabrel::dump {
namespace {

using json::Array;
using json::Object;
using json::Value;

const char* kind_name(model::ChartGroupKind k) {
  switch (k) {
    case model::ChartGroupKind::Bar: return "bar";
    case model::ChartGroupKind::Line: return "line";
    case model::ChartGroupKind::Pie: return "pie";
    case model::ChartGroupKind::Area: return "area";
    case model::ChartGroupKind::Scatter: return "scatter";
    case model::ChartGroupKind::Radar: return "radar";
    case model::ChartGroupKind::RadarArea: return "filled radar";
    case model::ChartGroupKind::Surface: return "surface";
    case model::ChartGroupKind::BarOfPie: return "of pie";
    case model::ChartGroupKind::None: break;
  }
  return "none";
}

Value cached_json(const std::vector<model::ChartValue>& values) {
  Array out;
  for (const model::ChartValue& v : values) {
    if (v.kind == model::ChartValue::Kind::Number) out.emplace_back(v.number);
    else if (v.kind == model::ChartValue::Kind::Text) out.emplace_back(to_utf8(v.text));
    else out.emplace_back(nullptr);
  }
  return out;
}

Object text_json(const model::ChartText& t) {
  Object o;
  o["text"] = to_utf8(t.text);
  o["rotation"] = static_cast<int>(t.rotation);
  if (t.deleted) o["deleted"] = true;
  if (t.linked_to == 4) {
    o["series"] = static_cast<int>(t.series);
    o["point"] = t.point == model::DataFormat::kWholeSeries ? -1 : static_cast<int>(t.point);
  }
  if (t.axis_group) o["axis_group"] = static_cast<int>(t.axis_group);
  return o;
}

const char* link_name(uint16_t linked_to) {
  switch (linked_to) {
    case 1: return "title";
    case 2: return "value axis title";
    case 3: return "category axis title";
    case 4: return "data label";
    case 7: return "series axis title";
    default: return "text";
  }
}

Value axis_json(const model::Axis& a) {
  Object o;
  o["type"] = a.type == 0 ? "category" : a.type == 1 ? "value" : "series";
  o["group"] = a.group == 0 ? "primary" : "secondary";
  o["major_gridlines"] = a.major_gridlines;
  if (a.minor_gridlines) o["minor_gridlines"] = true;
  if (a.value_scale) {
    const model::ValueScale& v = *a.value_scale;
    Object s;
    if (!v.auto_minimum()) s["minimum"] = v.minimum;
    if (!v.auto_maximum()) s["maximum"] = v.maximum;
    if (!v.auto_major()) s["major"] = v.major;
    if (v.reversed()) s["reversed"] = true;
    if (v.logarithmic()) s["logarithmic"] = true;
    o["scale"] = std::move(s);
  }
  if (a.category_scale && a.category_scale->reversed()) o["reversed"] = true;
  return o;
}

}  // namespace

Value chart_json(const model::Workbook& book, const model::Chart& chart) {
  Object o;
  o["chart_type"] = charts::chart_type(chart);
  Array groups;
  for (const model::ChartGroup& g : chart.groups) {
    Object go;
    go["kind"] = kind_name(g.kind);
    go["axis_group"] = g.axis_group == 0 ? "primary" : "secondary";
    if (g.view) go["three_d"] = true;
    if (g.legend) go["legend_position"] = static_cast<int>(g.legend->position);
    groups.push_back(std::move(go));
  }
  o["groups"] = std::move(groups);
  Array series;
  const auto plotted = chart.plotted_series();
  for (size_t i = 0; i < plotted.size(); ++i) {
    Object so;
    so["formula"] = to_utf8(charts::series_formula(book, chart, i, formula::Notation::R1C1));
    so["chart_type"] = charts::series_chart_type(chart, *plotted[i]);
    if (!plotted[i]->name_text.empty()) so["name"] = to_utf8(plotted[i]->name_text);
    so["values"] = cached_json(plotted[i]->cached_values);
    if (!plotted[i]->cached_categories.empty()) so["categories"] = cached_json(plotted[i]->cached_categories);
    series.push_back(std::move(so));
  }
  o["series"] = std::move(series);
  Array axes;
  for (const model::Axis& a : chart.axes) axes.push_back(axis_json(a));
  o["axes"] = std::move(axes);
  Array texts;
  for (const model::ChartText& t : chart.texts) {
    Object to = text_json(t);
    to["kind"] = link_name(t.linked_to);
    texts.push_back(std::move(to));
  }
  o["texts"] = std::move(texts);
  if (chart.data_table_flags) o["data_table"] = true;
  o["auto_scale_font"] = chart.scaled_fonts;
  if (chart.area.shadow()) o["shadow"] = true;
  Array problems;
  for (const std::string& p : chart.problems) problems.emplace_back(p);
  o["problems"] = std::move(problems);
  return o;
}

}  // namespace tabrel::dump
