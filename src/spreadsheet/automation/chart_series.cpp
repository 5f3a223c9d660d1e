#include "spreadsheet/automation/chart_series.h"

#include <cmath>
#include <optional>
#include <utility>

#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/charts/chart_build.h"
#include "spreadsheet/charts/chart_type.h"
#include "spreadsheet/charts/data_label.h"
#include "spreadsheet/charts/series_formula.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

// One value of a series: what the cell holds now (or the cached literal), with the cell's
// number format for numbers.
struct PointValue {
  Variant value;
  std::u16string format = u"General";
};

Variant cached_value(const model::ChartValue& v) {
  switch (v.kind) {
    case model::ChartValue::Kind::Number: return v.number;
    case model::ChartValue::Kind::Text: return v.text;
    case model::ChartValue::Kind::Bool: return v.number != 0;
    case model::ChartValue::Kind::Error: return Variant::error(static_cast<int32_t>(v.number));
    case model::ChartValue::Kind::Blank: break;
  }
  return {};
}

// The values behind a link: the cells it refers to, read now, else the cached literal values.
// A reference that cannot be read (another workbook, a deleted sheet) raises 1004.
std::vector<PointValue> link_values(const ChartHandle& chart, const model::ChartLink& link,
                                    const std::vector<model::ChartValue>& cached) {
  std::vector<PointValue> out;
  if (link.kind == 2) {
    model::Workbook& wb = chart.sheet.workbook();
    const auto areas = charts::link_areas(wb, link);
    if (!areas) raise(Fault::MethodFailed);
    for (const charts::CellArea& a : *areas) {
      if (a.sheet < 0 || static_cast<size_t>(a.sheet) >= wb.sheets.size()) raise(Fault::MethodFailed);
      const SheetHandle sheet{chart.sheet.app, chart.sheet.book, wb.sheets[static_cast<size_t>(a.sheet)].get()};
      for (int r = a.range.first.row; r <= a.range.last.row; ++r)
        for (int c = a.range.first.col; c <= a.range.last.col; ++c) {
          const auto cell = std::make_shared<Range>(sheet, model::RangeRef{{r, c}, {r, c}});
          PointValue v;
          v.value = cell->Value2();
          const Variant code = cell->NumberFormat();
          if (code.is_string()) v.format = code.str();
          out.push_back(std::move(v));
        }
    }
    return out;
  }
  for (const model::ChartValue& v : cached) out.push_back({cached_value(v), u"General"});
  return out;
}

Variant one_based_array(std::vector<Variant> items) {
  VariantArray a;
  a.lower = {1};
  a.extent = {static_cast<int32_t>(items.size())};
  a.items = std::move(items);
  return Variant::array(std::move(a));
}

std::u16string value_text(const PointValue& v) {
  if (v.value.is_string()) return v.value.str();
  if (v.value.is_numeric()) return charts::format_number(v.value.to_double(), v.format);
  if (v.value.is_empty()) return u"";
  return v.value.to_string();
}

size_t record_index(const model::Chart& chart, const model::Series& s) {
  return static_cast<size_t>(&s - chart.series.data());
}

}  // namespace

int SeriesCollection::Count() const { return static_cast<int>(chart_.chart().plotted_series().size()); }

std::shared_ptr<xl::Series> SeriesCollection::Item(const Variant& index) const {
  const int count = Count();
  const ItemKey key = item_key(index);
  if (key.number) {
    if (*key.number < 1 || *key.number > count) raise(Fault::InvalidArgument);
    return std::make_shared<xl::Series>(chart_, static_cast<size_t>(*key.number - 1));
  }
  for (int i = 0; i < count; ++i) {
    auto s = std::make_shared<xl::Series>(chart_, static_cast<size_t>(i));
    if (s->Name() == key.name) return s;
  }
  raise(Fault::InvalidArgument);
}

const model::Series& Series::get() const {
  const auto plotted = chart_.chart().plotted_series();
  if (position_ >= plotted.size()) raise(Fault::ObjectDeleted);
  return *plotted[position_];
}

std::u16string Series::Name() const {
  const model::Series& s = get();
  if (s.name.kind == 2) {
    const auto values = link_values(chart_, s.name, {});
    std::u16string name;
    for (const PointValue& v : values) {
      if (!name.empty()) name += u' ';
      name += value_text(v);
    }
    return name;
  }
  if (s.name.kind == 1 || !s.name_text.empty()) return s.name_text;
  return u"계열" + from_utf8(std::to_string(position_ + 1));
}

std::u16string Series::Formula() const {
  get();
  return charts::series_formula(chart_.sheet.workbook(), chart_.chart(), position_, formula::Notation::A1);
}

std::u16string Series::FormulaR1C1() const {
  get();
  return charts::series_formula(chart_.sheet.workbook(), chart_.chart(), position_, formula::Notation::R1C1);
}

int Series::PlotOrder() const { return charts::plot_order(get(), static_cast<int>(position_)); }

int Series::AxisGroup() const {
  const model::ChartGroup* g = chart_.chart().group(get().group);
  return g && g->axis_group == 1 ? 2 : 1;
}

int Series::ChartType() const { return charts::series_chart_type(chart_.chart(), get()); }

Variant Series::Values() const {
  const model::Series& s = get();
  std::vector<Variant> items;
  for (PointValue& v : link_values(chart_, s.values, s.cached_values)) items.push_back(std::move(v.value));
  return one_based_array(std::move(items));
}

Variant Series::XValues() const {
  const model::Series& s = get();
  std::vector<Variant> items;
  if (s.categories.kind == 2 || (s.categories.kind == 1 && !s.cached_categories.empty())) {
    for (PointValue& v : link_values(chart_, s.categories, s.cached_categories)) items.push_back(std::move(v.value));
  } else {
    const int n = PointsCount();
    for (int i = 1; i <= n; ++i) items.emplace_back(static_cast<double>(i));
  }
  return one_based_array(std::move(items));
}

bool Series::Smooth() const {
  const model::Series& s = get();
  const model::DataFormat* f = s.series_format();
  return f && f->smooth;
}

bool Series::HasDataLabels() const {
  const int n = PointsCount();
  if (n == 0) return false;
  for (int i = 1; i <= n; ++i)
    if (!Points(i)->HasDataLabel()) return false;
  return true;
}

namespace {

// The line (Border) or fill (Interior) colour of a series (point nullopt) or of one point.
std::shared_ptr<ChartColor> format_color(const ChartHandle& chart, size_t series, std::optional<uint16_t> point,
                                         const model::DataFormat* f, bool fill) {
  auto set = [chart, series, point, fill](uint16_t icv, uint32_t rgb) {
    model::Chart& c = chart.edit();
    model::DataFormat& own = point ? charts::point_format(c, series, *point) : charts::series_format(c, series);
    if (fill) {
      model::AreaFormat area = own.area.value_or(model::AreaFormat{});
      area.automatic = false;
      area.pattern = 1;
      area.fore_index = icv;
      area.fore_rgb = rgb;
      own.area = area;
    } else {
      model::LineFormat line = own.line.value_or(model::LineFormat{});
      line.automatic = false;
      line.color_index = icv;
      line.rgb = rgb;
      if (line.pattern == 5) line.pattern = 0;
      own.line = line;
    }
  };
  const int index = fill ? fill_color_index(f ? f->area : std::nullopt) : line_color_index(f ? f->line : std::nullopt);
  auto color = std::make_shared<ChartColor>(fill ? u"Interior" : u"Border", index, set);
  color->set_palette(chart.sheet.workbook().styles.palette);
  return color;
}

// Marker styles of the automation interface and the file's marker kinds (imk).
constexpr std::pair<int, uint16_t> kMarkerStyles[] = {{-4142, 0}, {1, 1},     {2, 2},     {3, 3}, {-4168, 4},
                                                      {5, 5},     {-4118, 6}, {-4115, 7}, {8, 8}, {9, 9}};
constexpr int kMarkerAutomatic = -4105;

}  // namespace

std::shared_ptr<ChartColor> Series::Border() const {
  return format_color(chart_, index(), std::nullopt, get().series_format(), false);
}

std::shared_ptr<ChartColor> Series::Interior() const {
  return format_color(chart_, index(), std::nullopt, get().series_format(), true);
}

// The series' own marker, else its chart group's; markers chosen by the spreadsheet read as
// xlMarkerStyleAutomatic.
int Series::MarkerStyle() const {
  const model::Series& s = get();
  const model::DataFormat* f = s.series_format();
  std::optional<model::MarkerFormat> marker = f ? f->marker : std::nullopt;
  if (!marker)
    if (const model::ChartGroup* g = chart_.chart().group(s.group); g && g->format) marker = g->format->marker;
  if (!marker || marker->automatic) return kMarkerAutomatic;
  for (const auto& [style, kind] : kMarkerStyles)
    if (kind == marker->kind) return style;
  return kMarkerAutomatic;
}

void Series::SetMarkerStyle(int style) {
  std::optional<model::MarkerFormat> marker;
  if (style == kMarkerAutomatic) marker = model::MarkerFormat{};
  for (const auto& [each, kind] : kMarkerStyles)
    if (each == style) marker = model::MarkerFormat{kind, false};
  if (!marker) raise(Fault::MethodFailed);
  const size_t i = index();
  charts::series_format(chart_.edit(), i).marker = marker;
}

int Series::PointsCount() const {
  const model::Series& s = get();
  if (s.values.kind == 2) return static_cast<int>(link_values(chart_, s.values, {}).size());
  if (!s.cached_values.empty()) return static_cast<int>(s.cached_values.size());
  return s.value_count;
}

std::shared_ptr<xl::Point> Series::Points(int index) const {
  if (index < 1 || index > PointsCount()) raise(Fault::InvalidArgument);
  return std::make_shared<xl::Point>(std::make_shared<Series>(chart_, position_), static_cast<size_t>(index - 1));
}

const model::DataFormat* Point::format() const {
  const model::Series& s = series_->get();
  if (const model::DataFormat* f = s.point_format(static_cast<uint16_t>(index_))) return f;
  return s.series_format();
}

namespace {

struct LabelSource {
  const model::ChartText* text = nullptr;  // the label's own text record, when it has one
  model::LabelParts shown;
  bool custom = false;
};

LabelSource label_source(const model::Chart& chart, const model::Series& s, size_t point, const model::DataFormat* f) {
  LabelSource out;
  const auto series = static_cast<uint16_t>(record_index(chart, s));
  const model::ChartText* t = chart.text(4, series, static_cast<uint16_t>(point));
  if (!t) t = chart.text(4, series, model::DataFormat::kWholeSeries);
  if (t && t->deleted) return out;
  if (f && f->label) out.shown = *f->label;
  if (t) {
    out.text = t;
    if (t->shown.any()) out.shown = t->shown;
    out.custom = !t->auto_text && (!t->text.empty() || t->link.kind == 2);
  }
  return out;
}

}  // namespace

bool Point::HasDataLabel() const {
  const model::Series& s = series_->get();
  const LabelSource src = label_source(series_->chart().chart(), s, index_, format());
  return src.custom || src.shown.any();
}

std::shared_ptr<xl::DataLabel> Point::DataLabel() const {
  const model::Series& s = series_->get();
  const LabelSource src = label_source(series_->chart().chart(), s, index_, format());
  if (!src.custom && !src.shown.any()) raise(Fault::MethodFailed);
  if (src.custom) {
    if (src.text->link.kind == 2) {
      std::u16string text;
      for (const PointValue& v : link_values(series_->chart(), src.text->link, {})) text += value_text(v);
      return std::make_shared<xl::DataLabel>(text);
    }
    return std::make_shared<xl::DataLabel>(src.text->text);
  }
  const ChartHandle& chart = series_->chart();
  const ChartHandle handle = chart;
  const size_t series = series_->index();
  const auto point = static_cast<uint16_t>(index_);
  const DataLabel::Setter set = [handle, series, point](const model::LabelParts& parts,
                                                        const std::optional<std::u16string>& separator) {
    charts::set_data_labels(handle.edit(), series, point, parts, separator);
  };
  std::optional<std::u16string> separator = src.text ? src.text->separator : std::nullopt;
  if (!separator)
    if (const model::ChartGroup* g = chart.chart().group(s.group)) separator = g->label_separator;
  const auto values = link_values(chart, s.values, s.cached_values);
  charts::LabelPieces pieces;
  if (src.shown.series_name) pieces.series_name = series_->Name();
  if (index_ < values.size()) {
    PointValue v = values[index_];
    if (src.text && src.text->number_format && src.text->link.own_format)
      v.format = number_format(chart.sheet.workbook(), *src.text->number_format);
    pieces.value = value_text(v);
    if (src.shown.percent && v.value.is_numeric()) {
      double sum = 0;
      for (const PointValue& each : values)
        if (each.value.is_numeric()) sum += std::fabs(each.value.to_double());
      pieces.percent = charts::format_number(sum > 0 ? v.value.to_double() / sum : 0, u"0%");
    }
  }
  if (src.shown.category) {
    const Variant categories = series_->XValues();
    const VariantArray& a = categories.arr();
    if (index_ < a.items.size()) pieces.category = value_text({a.items[index_], u"General"});
  }
  if (src.shown.bubble_size) {
    const auto bubbles = link_values(chart, s.bubble_sizes, s.cached_bubbles);
    if (index_ < bubbles.size()) pieces.bubble_size = value_text(bubbles[index_]);
  }
  return std::make_shared<xl::DataLabel>(charts::label_text(src.shown, pieces, separator.value_or(u", ")), src.shown,
                                         separator, set);
}

std::shared_ptr<ChartColor> Point::Interior() const {
  return format_color(series_->chart(), series_->index(), static_cast<uint16_t>(index_), format(), true);
}

std::shared_ptr<ChartColor> Point::Border() const {
  return format_color(series_->chart(), series_->index(), static_cast<uint16_t>(index_), format(), false);
}

}  // namespace tabrel::xl
