// Changing a chart's series: new series, their values, categories and names, their type and
// axes, smoothing and data labels.

#include <algorithm>

#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/range_address.h"
#include "spreadsheet/charts/chart_build.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

// "=Sheet1!$B$2:$B$5" or "='My sheet'!B2:B5".
std::optional<charts::CellArea> address_area(const model::Workbook& wb, std::u16string_view text) {
  if (text.empty() || text.front() != u'=') return std::nullopt;
  text.remove_prefix(1);
  const size_t bang = text.rfind(u'!');
  if (bang == std::u16string_view::npos) return std::nullopt;
  std::u16string sheet(text.substr(0, bang));
  if (sheet.size() >= 2 && sheet.front() == u'\'' && sheet.back() == u'\'') {
    sheet = sheet.substr(1, sheet.size() - 2);
    std::u16string unquoted;
    for (size_t i = 0; i < sheet.size(); ++i) {
      unquoted += sheet[i];
      if (sheet[i] == u'\'' && i + 1 < sheet.size() && sheet[i + 1] == u'\'') ++i;
    }
    sheet = unquoted;
  }
  const auto range = parse_range_address(text.substr(bang + 1));
  if (!range) return std::nullopt;
  for (size_t i = 0; i < wb.sheets.size(); ++i)
    if (equals_ignore_case(wb.sheets[i]->name, sheet)) return charts::CellArea{static_cast<int>(i), *range};
  return std::nullopt;
}

// The cells a value names: a Range of the chart's workbook or an address text.
std::optional<charts::CellArea> cells_of(const ChartHandle& chart, const Variant& v) {
  model::Workbook& wb = chart.sheet.workbook();
  if (v.is_object()) {
    const auto range = std::dynamic_pointer_cast<Range>(v.object());
    if (!range) raise(Fault::TypeMismatch);
    if (&range->sheet().workbook() != &wb) raise(Fault::MethodFailed);
    return charts::CellArea{range->sheet().index(), range->area()};
  }
  if (v.is_string()) return address_area(wb, v.str());
  return std::nullopt;
}

model::ChartValue constant(const Variant& v) {
  model::ChartValue out;
  if (v.is_string()) out.kind = model::ChartValue::Kind::Text, out.text = v.str();
  else if (v.is_numeric()) out.kind = model::ChartValue::Kind::Number, out.number = v.to_double();
  return out;
}

// A link to cells, or literal constants (an array, or one value) kept as the cache.
void set_link(const ChartHandle& chart, size_t series, const Variant& v, model::ChartLink model::Series::*link,
              std::vector<model::ChartValue> model::Series::*cache) {
  const std::optional<charts::CellArea> area = cells_of(chart, v);
  std::vector<model::ChartValue> literal;
  if (!area) {
    if (v.is_array()) {
      for (const Variant& item : v.arr().items) literal.push_back(constant(item));
    } else if (v.is_numeric() || v.is_string()) {
      literal.push_back(constant(v));
    } else {
      raise(Fault::TypeMismatch);
    }
  }
  model::Workbook& wb = chart.sheet.workbook();
  model::Chart& c = chart.edit();
  model::Series& s = c.series.at(series);
  if (area) {
    s.*link = charts::cell_link(wb, *area);
  } else {
    s.*link = model::ChartLink{};
    (s.*link).kind = 1;
    s.*cache = std::move(literal);
  }
  charts::refresh_cache(c, wb);
  if (!area) {
    s.value_count = static_cast<uint16_t>(s.cached_values.size());
    s.category_count = static_cast<uint16_t>(s.cached_categories.size());
  }
}

}  // namespace

std::shared_ptr<xl::Series> SeriesCollection::NewSeries() {
  model::Chart& chart = chart_.edit();
  charts::add_series(chart);
  return std::make_shared<xl::Series>(chart_, chart.plotted_series().size() - 1);
}

size_t Series::index() const {
  const model::Series& s = get();
  return static_cast<size_t>(&s - chart_.chart().series.data());
}

void Series::SetName(const Variant& name) {
  const size_t i = index();
  const std::optional<charts::CellArea> area = cells_of(chart_, name);
  model::Workbook& wb = chart_.sheet.workbook();
  model::Series& s = chart_.edit().series.at(i);
  if (area) {
    s.name = charts::cell_link(wb, *area);
    s.name_text.clear();
    return;
  }
  s.name = model::ChartLink{};
  s.name.kind = 1;
  s.name_text = name.to_string();
}

void Series::SetValues(const Variant& values) {
  set_link(chart_, index(), values, &model::Series::values, &model::Series::cached_values);
}

void Series::SetXValues(const Variant& values) {
  set_link(chart_, index(), values, &model::Series::categories, &model::Series::cached_categories);
}

void Series::Delete() { charts::remove_series(chart_.edit(), index()); }

void Series::SetAxisGroup(int group) {
  if (group != 1 && group != 2) raise(Fault::InvalidArgument);
  charts::set_axis_group(chart_.edit(), index(), static_cast<uint16_t>(group - 1));
}

void Series::SetChartType(int chart_type) {
  const size_t i = index();
  if (!charts::buildable_type(chart_type)) raise(Fault::InvalidArgument);
  charts::set_series_type(chart_.edit(), i, chart_type);
}

void Series::SetSmooth(bool smooth) {
  const size_t i = index();
  charts::series_format(chart_.edit(), i).smooth = smooth;
}

void Series::SetHasDataLabels(bool has) {
  const size_t i = index();
  model::LabelParts parts;
  parts.value = has;
  charts::set_data_labels(chart_.edit(), i, std::nullopt, parts);
}

void Series::ApplyDataLabels() { SetHasDataLabels(true); }

void Point::SetHasDataLabel(bool has) {
  const size_t series = series_->index();
  model::LabelParts parts;
  parts.value = has;
  charts::set_data_labels(series_->chart().edit(), series, static_cast<uint16_t>(index_), parts);
}

void Point::ApplyDataLabels() { SetHasDataLabel(true); }

void DataLabel::change(bool model::LabelParts::*part, bool show) {
  if (!set_) raise(Fault::NoSuchMember);
  shown_.*part = show;
  set_(shown_, separator_);
}

void DataLabel::SetSeparator(const std::u16string& separator) {
  if (!set_) raise(Fault::NoSuchMember);
  separator_ = separator;
  set_(shown_, separator_);
}

}  // namespace tabrel::xl
