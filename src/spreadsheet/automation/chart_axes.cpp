#include "spreadsheet/automation/chart_axes.h"

#include <map>

#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/charts/chart_build.h"

namespace tabrel::xl {
namespace {

constexpr int kCrossesAutomatic = -4105, kCrossesCustom = -4114, kCrossesMaximum = 2;

void add_numbers(const Variant& array, std::vector<double>& out) {
  for (const Variant& v : array.arr().items)
    if (v.is_numeric() && !v.is_bool()) out.push_back(v.to_double());
}

}  // namespace

const model::Axis& Axis::get() const {
  const model::Axis* a = chart_.chart().axis(type_, group_);
  if (!a) raise(Fault::MethodFailed);
  return *a;
}

// The numbers plotted against this axis: the values of the series on its axis group (category
// sums for stacked groups), or the x values for the category axis of an XY chart.
charts::Scale Axis::scale() const {
  const model::Axis& axis = get();
  if (!axis.value_scale) raise(Fault::MethodFailed);
  const model::Chart& chart = chart_.chart();
  std::vector<double> numbers;
  bool percent = false;
  std::map<size_t, double> positive, negative;  // stacked sums by point
  const int count = static_cast<int>(chart.plotted_series().size());
  for (int i = 0; i < count; ++i) {
    const Series series(chart_, static_cast<size_t>(i));
    const model::ChartGroup* g = chart.group(series.get().group);
    if (!g || g->axis_group != group_) continue;
    if (type_ == 0) {
      add_numbers(series.XValues(), numbers);
      continue;
    }
    const Variant values = series.Values();
    if (g->percent()) percent = true;
    if (!g->stacked() && !g->percent()) {
      add_numbers(values, numbers);
      continue;
    }
    const auto& items = values.arr().items;
    for (size_t p = 0; p < items.size(); ++p) {
      if (!items[p].is_numeric() || items[p].is_bool()) continue;
      const double v = items[p].to_double();
      (v >= 0 ? positive[p] : negative[p]) += v;
    }
  }
  for (const auto& [p, v] : positive) numbers.push_back(v);
  for (const auto& [p, v] : negative) numbers.push_back(v);
  return charts::axis_scale(*axis.value_scale, numbers, percent);
}

double Axis::MinimumScale() const { return scale().minimum; }
double Axis::MaximumScale() const { return scale().maximum; }
double Axis::MajorUnit() const { return scale().major; }
double Axis::MinorUnit() const { return scale().minor; }

const model::ValueScale& Axis::value_scale() const {
  const model::Axis& a = get();
  if (!a.value_scale) raise(Fault::MethodFailed);
  return *a.value_scale;
}

bool Axis::MinimumScaleIsAuto() const { return value_scale().auto_minimum(); }
bool Axis::MaximumScaleIsAuto() const { return value_scale().auto_maximum(); }
bool Axis::MajorUnitIsAuto() const { return value_scale().auto_major(); }
bool Axis::MinorUnitIsAuto() const { return value_scale().auto_minor(); }

void Axis::fix(charts::ScalePart part, std::optional<double> value) {
  using P = charts::ScalePart;
  const model::ValueScale& v = value_scale();
  if (value) {
    const double x = *value;
    const bool bound = part == P::Minimum || part == P::Maximum;
    if (!bound && !(x > 0)) raise(Fault::MethodFailed);
    if (bound && v.logarithmic() && !(x > 0)) raise(Fault::MethodFailed);
    if (part == P::Minimum && !v.auto_maximum() && !(x < v.maximum)) raise(Fault::MethodFailed);
    if (part == P::Maximum && !v.auto_minimum() && !(x > v.minimum)) raise(Fault::MethodFailed);
  }
  charts::set_axis_scale(chart_.edit(), type_, group_, part, value);
}

void Axis::SetMinimumScale(double v) { fix(charts::ScalePart::Minimum, v); }
void Axis::SetMaximumScale(double v) { fix(charts::ScalePart::Maximum, v); }
void Axis::SetMajorUnit(double v) { fix(charts::ScalePart::Major, v); }
void Axis::SetMinorUnit(double v) { fix(charts::ScalePart::Minor, v); }

void Axis::SetMinimumScaleIsAuto(bool automatic) {
  fix(charts::ScalePart::Minimum, automatic ? std::nullopt : std::optional<double>(scale().minimum));
}
void Axis::SetMaximumScaleIsAuto(bool automatic) {
  fix(charts::ScalePart::Maximum, automatic ? std::nullopt : std::optional<double>(scale().maximum));
}
void Axis::SetMajorUnitIsAuto(bool automatic) {
  fix(charts::ScalePart::Major, automatic ? std::nullopt : std::optional<double>(scale().major));
}
void Axis::SetMinorUnitIsAuto(bool automatic) {
  fix(charts::ScalePart::Minor, automatic ? std::nullopt : std::optional<double>(scale().minor));
}

bool Axis::ReversePlotOrder() const {
  const model::Axis& a = get();
  if (a.value_scale) return a.value_scale->reversed();
  if (a.category_scale) return a.category_scale->reversed();
  return false;
}

int Axis::Crosses() const {
  const model::Axis& a = get();
  if (a.value_scale) {
    if (a.value_scale->cross_at_maximum()) return kCrossesMaximum;
    return a.value_scale->auto_cross() ? kCrossesAutomatic : kCrossesCustom;
  }
  if (a.category_scale) {
    if (a.category_scale->cross_at_maximum()) return kCrossesMaximum;
    return a.category_scale->cross <= 1 ? kCrossesAutomatic : kCrossesCustom;
  }
  return kCrossesAutomatic;
}

bool Axis::HasMajorGridlines() const { return get().major_gridlines; }
bool Axis::HasMinorGridlines() const { return get().minor_gridlines; }

void Axis::SetHasMajorGridlines(bool has) {
  get();
  charts::set_gridlines(chart_.edit(), type_, group_, true, has);
}

void Axis::SetHasMinorGridlines(bool has) {
  get();
  charts::set_gridlines(chart_.edit(), type_, group_, false, has);
}

bool Axis::HasTitle() const {
  get();
  const model::ChartText* t = chart_.chart().axis_title(type_, group_);
  return t && !t->deleted;
}

std::shared_ptr<ChartTitle> Axis::AxisTitle() const {
  get();
  const model::ChartText* t = chart_.chart().axis_title(type_, group_);
  if (!t || t->deleted) raise(Fault::MethodFailed);
  const ChartHandle chart = chart_;
  const uint16_t link = title_link(type_), group = group_;
  return std::make_shared<ChartTitle>(u"AxisTitle", chart_text(chart_, *t), t->rotation,
                                      [chart, link, group](const std::u16string& text) {
                                        charts::set_title(chart.edit(), link, group, text);
                                      },
                                      [chart, link, group](uint16_t rotation) {
                                        charts::set_title_rotation(chart.edit(), link, group, rotation);
                                      });
}

// A new axis title reads "축 제목".
void Axis::SetHasTitle(bool has) {
  if (has == HasTitle()) return;
  charts::set_title(chart_.edit(), title_link(type_), group_, has ? std::optional<std::u16string>(u"축 제목") : std::nullopt);
}

uint16_t Axis::title_link(uint16_t type) { return type == 0 ? 3 : type == 1 ? 2 : 7; }

}  // namespace tabrel::xl
