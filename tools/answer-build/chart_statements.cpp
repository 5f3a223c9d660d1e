#include "chart_statements.h"

#include <optional>

#include "answer_source.h"
#include "spreadsheet/automation/chart.h"
#include "spreadsheet/automation/chart_area.h"
#include "spreadsheet/automation/chart_axes.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/chart_parts.h"
#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/charts/chart_build.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/layout/anchor_geometry.h"

namespace tabrel::answers {
namespace {

struct ChartStatement {
  int line;
  const std::vector<std::u16string>& fields;
  xl::Worksheet& sheet;

  [[noreturn]] void fail(const std::string& why) const {
    throw SourceError("line " + std::to_string(line) + ": " + why);
  }
  const std::u16string& field(size_t i) const {
    if (i >= fields.size() || fields[i].empty()) fail("chart: field " + std::to_string(i + 1) + " missing");
    return fields[i];
  }
  std::optional<double> number(const std::u16string& text) const {
    const std::string s = to_utf8(text);
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (s.empty() || end != s.c_str() + s.size()) return std::nullopt;
    return v;
  }
  int whole(const std::u16string& text) const {
    const auto v = number(text);
    if (!v) fail("chart: not a number: " + to_utf8(text));
    return static_cast<int>(*v);
  }

  std::shared_ptr<xl::ChartObject> last_object() const {
    const auto objects = sheet.ChartObjects();
    if (objects->Count() == 0) fail("chart: no chart on this sheet yet");
    return objects->Item(Variant(objects->Count()));
  }
  std::shared_ptr<xl::Chart> last_chart() const { return last_object()->Chart(); }

  // Cells of this sheet, or of another with "Sheet!A1:B2".
  Variant cells(const std::u16string& text) const {
    if (text.find(u'!') != std::u16string::npos) return Variant(u"=" + text);
    return Variant(std::static_pointer_cast<Dispatch>(sheet.Range(Variant(text))));
  }

  void run() const {
    const std::u16string& what = field(1);
    if (what == u"title") return title();
    if (what == u"axis") return axis_title();
    if (what == u"legend") return legend();
    if (what == u"series") return series();
    if (what == u"label") return point_label();
    if (what == u"font") return font();
    if (what == u"shadow") return last_object()->SetShadow(true);
    make();
  }

  // Where the cells stand, in points.
  layout::PointRect cell_rect(const std::u16string& address) const {
    const auto range = sheet.Range(Variant(address));
    const model::RangeRef& a = range->area();
    const model::Workbook& wb = range->sheet().workbook();
    const model::Sheet& s = range->sheet().get();
    return layout::anchor_to_points({a.first.col, 0, a.first.row, 0, a.last.col + 1, 0, a.last.row + 1, 0},
                                    [&](int col) { return xl::column_width_pixels(wb, s, col); },
                                    [&](int row) { return xl::row_height_pixels(s, row); });
  }

  void make() const {
    const std::u16string& place = field(1);
    std::shared_ptr<xl::ChartObject> object;
    if (place.find(u',') != std::u16string::npos) {
      std::vector<double> v;
      size_t start = 0;
      while (true) {
        const size_t comma = place.find(u',', start);
        const auto n = number(place.substr(start, comma == std::u16string::npos ? std::u16string::npos : comma - start));
        if (!n) fail("chart: place is left,top,width,height in points");
        v.push_back(*n);
        if (comma == std::u16string::npos) break;
        start = comma + 1;
      }
      if (v.size() != 4) fail("chart: place is left,top,width,height in points");
      object = sheet.ChartObjects()->Add(v[0], v[1], v[2], v[3]);
    } else {
      const layout::PointRect r = cell_rect(place);
      object = sheet.ChartObjects()->Add(r.left, r.top, r.width, r.height);
    }
    const auto chart = object->Chart();
    chart->SetChartType(chart_type(field(2)));
    if (fields.size() > 3 && !fields[3].empty()) {
      int by = 0;
      if (fields.size() > 4 && fields[4] == u"rows") by = 1;
      else if (fields.size() > 4 && fields[4] == u"columns") by = 2;
      else if (fields.size() > 4 && !fields[4].empty()) fail("chart: orientation is rows or columns");
      const auto source = sheet.Range(Variant(fields[3]));
      chart->SetSourceData(*source, by);
    }
  }

  int chart_type(const std::u16string& word) const {
    static const std::pair<const char16_t*, int> kTypes[] = {
        {u"column", 51},        {u"column-stacked", 52}, {u"column-100", 53},   {u"bar", 57},
        {u"bar-stacked", 58},   {u"bar-100", 59},        {u"line", 4},          {u"line-markers", 65},
        {u"line-stacked", 63},  {u"pie", 5},             {u"pie-3d", -4102},    {u"doughnut", -4120},
        {u"area", 1},           {u"area-stacked", 76},   {u"scatter", -4169},   {u"scatter-lines", 74},
        {u"scatter-smooth", 72}, {u"column-3d", -4100},  {u"column-3d-clustered", 54}, {u"radar", -4151},
    };
    for (const auto& [name, number] : kTypes)
      if (word == name) return number;
    if (const auto n = number(word)) return static_cast<int>(*n);
    fail("chart: unknown chart type " + to_utf8(word));
  }

  void title() const {
    const auto chart = last_chart();
    const std::u16string text = fields.size() > 2 ? fields[2] : u"";
    chart->SetHasTitle(!text.empty());
    if (!text.empty()) chart->ChartTitle()->SetText(text);
  }

  void axis_title() const {
    const auto chart = last_chart();
    const std::u16string& which = field(2);
    int type = 0, group = 1;
    if (which == u"category") type = 1;
    else if (which == u"value") type = 2;
    else if (which == u"value2") type = 2, group = 2;
    else fail("chart: axis is category, value or value2");
    const auto axis = chart->Axes(type, group);
    const std::u16string text = fields.size() > 3 ? fields[3] : u"";
    axis->SetHasTitle(!text.empty());
    if (!text.empty()) axis->AxisTitle()->SetText(text);
    if (fields.size() > 4 && !fields[4].empty()) axis->AxisTitle()->SetOrientation(orientation(fields[4]));
  }

  int orientation(const std::u16string& word) const {
    static const std::pair<const char16_t*, int> kOrientations[] = {
        {u"horizontal", -4128}, {u"upward", -4171}, {u"downward", -4170}, {u"vertical", -4166}};
    for (const auto& [name, value] : kOrientations)
      if (word == name) return value;
    if (const auto degrees = number(word)) return static_cast<int>(*degrees);
    fail("chart: orientation is horizontal, upward, downward, vertical or degrees");
  }

  void legend() const {
    const auto chart = last_chart();
    const std::u16string& where = field(2);
    if (where == u"none") return chart->SetHasLegend(false);
    static const std::pair<const char16_t*, int> kPlaces[] = {
        {u"bottom", -4107}, {u"corner", 2}, {u"top", -4160}, {u"right", -4152}, {u"left", -4131}};
    for (const auto& [name, position] : kPlaces)
      if (where == name) {
        chart->SetHasLegend(true);
        return chart->Legend()->SetPosition(position);
      }
    fail("chart: legend is bottom, top, right, left, corner or none");
  }

  void series() const {
    const auto chart = last_chart();
    const std::u16string& which = field(2);
    const auto s = which == u"new" ? chart->SeriesCollection()->NewSeries() : chart->SeriesCollection(Variant(whole(which)));
    for (size_t i = 3; i < fields.size(); ++i) {
      const std::u16string& f = fields[i];
      const size_t eq = f.find(u'=');
      const std::u16string key = f.substr(0, eq);
      const std::u16string value = eq == std::u16string::npos ? u"" : f.substr(eq + 1);
      if (key == u"delete") return s->Delete();
      if (key == u"name") s->SetName(value.find(u'!') != std::u16string::npos || is_cell(value) ? cells(value) : Variant(value));
      else if (key == u"values") s->SetValues(cells(value));
      else if (key == u"categories") s->SetXValues(cells(value));
      else if (key == u"type") s->SetChartType(chart_type(value));
      else if (key == u"axis") s->SetAxisGroup(whole(value));
      else if (key == u"labels") s->SetHasDataLabels(true);
      else if (key == u"smooth") s->SetSmooth(true);
      else if (key == u"color") s->Border()->SetColorIndex(whole(value));
      else if (key == u"fill") s->Interior()->SetColorIndex(whole(value));
      else fail("chart: unknown series field " + to_utf8(key));
    }
  }

  // A name field that is a cell address ("B3") links to the cell; other texts are the name.
  bool is_cell(const std::u16string& text) const {
    if (text.empty() || text.size() > 12) return false;
    size_t i = 0;
    if (text[i] == u'$') ++i;
    const size_t letters = i;
    while (i < text.size() && ((text[i] >= u'A' && text[i] <= u'Z'))) ++i;
    if (i == letters || i - letters > 2) return false;
    if (i < text.size() && text[i] == u'$') ++i;
    const size_t digits = i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') ++i;
    return i == text.size() && i > digits;
  }

  void point_label() const {
    const auto s = last_chart()->SeriesCollection(Variant(whole(field(2))));
    s->Points(whole(field(3)))->SetHasDataLabel(true);
  }

  void font() const {
    const std::u16string& how = field(2);
    if (how != u"scale" && how != u"fixed") fail("chart: font is scale or fixed");
    last_chart()->ChartArea()->SetAutoScaleFont(how == u"scale");
  }
};

}  // namespace

void apply_chart(int line, const std::vector<std::u16string>& fields, xl::Worksheet& sheet) {
  ChartStatement{line, fields, sheet}.run();
}

void refresh_chart_caches(model::Workbook& wb) {
  for (const auto& sheet : wb.sheets) {
    for (model::ChartData& c : sheet->embedded_charts) charts::refresh_cache(c.chart, wb);
    if (sheet->kind == model::SheetKind::ChartSheet) charts::refresh_cache(sheet->chart.chart, wb);
  }
}

}  // namespace tabrel::answers
