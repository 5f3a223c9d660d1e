#include "spreadsheet/automation/chart.h"

#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/chart_area.h"
#include "spreadsheet/automation/chart_axes.h"
#include "spreadsheet/automation/chart_parts.h"
#include "spreadsheet/automation/chart_series.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/charts/chart_build.h"
#include "spreadsheet/charts/chart_type.h"
#include "spreadsheet/charts/series_formula.h"

namespace tabrel::xl {

int chart_drawing(const model::Sheet& sheet, int object) {
  constexpr uint16_t kChartObject = 5;
  for (size_t i = 0; i < sheet.drawings.size(); ++i)
    if (sheet.drawings[i].object_type == kChartObject && sheet.drawings[i].object_id == object) return static_cast<int>(i);
  return -1;
}

model::Chart& ChartHandle::edit() const {
  model::Sheet& s = sheet.get();
  if (object < 0) {
    if (s.kind != model::SheetKind::ChartSheet) raise(Fault::NoSuchMember);
    return s.chart.chart;
  }
  const int drawing = chart_drawing(s, object);
  if (drawing < 0) raise(Fault::ObjectDeleted);
  const int index = s.drawings[static_cast<size_t>(drawing)].chart_index;
  if (index < 0 || static_cast<size_t>(index) >= s.embedded_charts.size()) raise(Fault::MethodFailed);
  return s.embedded_charts[static_cast<size_t>(index)].chart;
}

const model::Chart& ChartHandle::chart() const { return edit(); }

std::u16string chart_text(const ChartHandle& chart, const model::ChartText& text) {
  if (text.link.kind != 2) return text.text;
  model::Workbook& wb = chart.sheet.workbook();
  const auto areas = charts::link_areas(wb, text.link);
  if (!areas || areas->empty() || static_cast<size_t>(areas->front().sheet) >= wb.sheets.size()) return text.text;
  const SheetHandle sheet{chart.sheet.app, chart.sheet.book, wb.sheets[static_cast<size_t>(areas->front().sheet)].get()};
  const model::CellRef at = areas->front().range.first;
  const Variant v = std::make_shared<Range>(sheet, model::RangeRef{at, at})->Value2();
  return v.is_empty() ? std::u16string() : v.to_string();
}

int Chart::ChartType() const { return charts::chart_type(handle_.chart()); }

namespace {

const model::ChartText* title_of(const model::Chart& chart) {
  const model::ChartText* t = chart.text(1);
  return t && !t->deleted ? t : nullptr;
}

const model::Legend* legend_of(const model::Chart& chart) {
  for (const model::ChartGroup& g : chart.groups)
    if (g.legend) return &*g.legend;
  return nullptr;
}

}  // namespace

bool Chart::HasTitle() const { return title_of(handle_.chart()) != nullptr; }

// A title whose text is generated (no text of its own) shows the name of the only series.
std::shared_ptr<xl::ChartTitle> Chart::ChartTitle() const {
  const model::Chart& chart = handle_.chart();
  const model::ChartText* t = title_of(chart);
  if (!t) raise(Fault::MethodFailed);
  std::u16string text = chart_text(handle_, *t);
  if (text.empty() && chart.plotted_series().size() == 1) text = xl::Series(handle_, 0).Name();
  const ChartHandle handle = handle_;
  return std::make_shared<xl::ChartTitle>(
      u"ChartTitle", text, t->rotation, [handle](const std::u16string& to) { charts::set_title(handle.edit(), 1, 0, to); },
      [handle](uint16_t rotation) { charts::set_title_rotation(handle.edit(), 1, 0, rotation); });
}

bool Chart::HasLegend() const { return legend_of(handle_.chart()) != nullptr; }

std::shared_ptr<xl::Legend> Chart::Legend() const {
  const model::Legend* l = legend_of(handle_.chart());
  if (!l) raise(Fault::MethodFailed);
  const ChartHandle handle = handle_;
  return std::make_shared<xl::Legend>(*l, [handle](uint8_t position) { charts::set_legend_position(handle.edit(), position); });
}

bool Chart::HasDataTable() const { return handle_.chart().data_table_flags.has_value(); }

std::shared_ptr<ChartDataTable> Chart::DataTable() const {
  const model::Chart& chart = handle_.chart();
  if (!chart.data_table_flags) raise(Fault::MethodFailed);
  return std::make_shared<ChartDataTable>(*chart.data_table_flags);
}

std::shared_ptr<xl::PlotArea> Chart::PlotArea() const {
  const model::Chart& chart = handle_.chart();
  if (!chart.plot_area) return std::make_shared<xl::PlotArea>(std::nullopt, std::nullopt);
  return std::make_shared<xl::PlotArea>(chart.plot_area->area, chart.plot_area->line);
}

// The walls of a 3-D chart are formatted with its category axis.
std::shared_ptr<xl::Walls> Chart::Walls() const {
  const model::Chart& chart = handle_.chart();
  bool three_d = false;
  for (const model::ChartGroup& g : chart.groups) three_d |= g.view.has_value();
  if (!three_d) raise(Fault::MethodFailed);
  const model::Axis* a = chart.axis(0, 0);
  if (!a) return std::make_shared<xl::Walls>(std::nullopt, std::nullopt);
  return std::make_shared<xl::Walls>(a->wall_area, a->wall_line);
}

std::shared_ptr<xl::ChartArea> Chart::ChartArea() const {
  handle_.chart();
  return std::make_shared<xl::ChartArea>(handle_);
}

std::shared_ptr<xl::SeriesCollection> Chart::SeriesCollection() const {
  handle_.chart();
  return std::make_shared<xl::SeriesCollection>(handle_);
}

std::shared_ptr<xl::Series> Chart::SeriesCollection(const Variant& index) const {
  return SeriesCollection()->Item(index);
}

int Chart::ChartGroupsCount() const { return static_cast<int>(handle_.chart().groups.size()); }

std::shared_ptr<xl::ChartGroup> Chart::ChartGroups(const Variant& index) const {
  const ItemKey key = item_key(index);
  if (!key.number || *key.number < 1 || *key.number > ChartGroupsCount()) raise(Fault::InvalidArgument);
  return std::make_shared<xl::ChartGroup>(handle_, static_cast<size_t>(*key.number - 1));
}

std::shared_ptr<xl::Axis> Chart::Axes(int type, int group) const {
  if (type < 1 || type > 3 || group < 1 || group > 2) raise(Fault::InvalidArgument);
  const auto t = static_cast<uint16_t>(type - 1);
  const auto g = static_cast<uint16_t>(group - 1);
  if (!handle_.chart().axis(t, g)) raise(Fault::MethodFailed);
  return std::make_shared<xl::Axis>(handle_, t, g);
}

void Chart::SetChartType(int chart_type) {
  handle_.chart();
  if (!charts::buildable_type(chart_type)) raise(Fault::InvalidArgument);
  charts::set_chart_type(handle_.edit(), chart_type);
}

void Chart::SetHasTitle(bool has) {
  if (has == HasTitle()) return;
  model::Chart& chart = handle_.edit();
  if (!has) {
    charts::set_title(chart, 1, 0, std::nullopt);
    return;
  }
  // A new title shows the only series' name, else "차트 제목".
  std::u16string text = u"차트 제목";
  if (chart.plotted_series().size() == 1) text = xl::Series(handle_, 0).Name();
  charts::set_title(handle_.edit(), 1, 0, text);
}

void Chart::SetHasLegend(bool has) { charts::set_legend(handle_.edit(), has); }

void Chart::SetSourceData(const Range& source, int plot_by) {
  if (plot_by < 0 || plot_by > 2) raise(Fault::InvalidArgument);
  model::Workbook& wb = handle_.sheet.workbook();
  if (&source.sheet().workbook() != &wb || source.sheet().get().kind != model::SheetKind::Worksheet) raise(Fault::MethodFailed);
  const charts::CellArea block{source.sheet().index(), source.area()};
  const auto series = charts::source_series(wb, block, plot_by);
  if (series.empty()) raise(Fault::MethodFailed);
  charts::set_series(handle_.edit(), wb, series);
}

namespace {

// The wizard's gallery numbers with the first format of each.
int gallery_type(int gallery) {
  switch (gallery) {
    case 1: return 1;
    case 2: return 57;
    case 3: return 51;
    case 4: return 65;
    case 5: return 5;
    case -4169: return -4169;
    case -4120: return -4120;
    case -4098: return -4098;
    case -4100: return -4100;
    case -4101: return -4101;
    case -4102: return -4102;
    case -4151: return -4151;
    default: return 0;
  }
}

bool given(const Variant& v) { return !v.is_empty() && !v.is_error(); }

}  // namespace

void Chart::ChartWizard(const Range* source, const Variant& gallery, const Variant& plot_by, const Variant& has_legend,
                        const Variant& title, const Variant& category_title, const Variant& value_title) {
  if (given(gallery)) {
    const int type = gallery_type(static_cast<int>(gallery.to_double()));
    if (!type) raise(Fault::InvalidArgument);
    SetChartType(type);
  }
  if (source) SetSourceData(*source, given(plot_by) ? static_cast<int>(plot_by.to_double()) : 0);
  if (given(has_legend)) SetHasLegend(has_legend.to_bool());
  if (given(title)) {
    const std::u16string text = title.to_string();
    charts::set_title(handle_.edit(), 1, 0, text.empty() ? std::nullopt : std::optional(text));
  }
  for (const auto& [link, v] : {std::pair<uint16_t, const Variant*>{3, &category_title}, {2, &value_title}}) {
    if (!given(*v)) continue;
    const std::u16string text = v->to_string();
    if (!handle_.chart().axis(link == 3 ? 0 : 1, 0)) continue;
    charts::set_title(handle_.edit(), link, 0, text.empty() ? std::nullopt : std::optional(text));
  }
}

void Chart::ApplyDataLabels() {
  model::Chart& chart = handle_.edit();
  model::LabelParts parts;
  parts.value = true;
  for (size_t i = 0; i < chart.series.size(); ++i)
    if (!chart.series[i].auxiliary) charts::set_data_labels(chart, i, std::nullopt, parts);
}

}  // namespace tabrel::xl
