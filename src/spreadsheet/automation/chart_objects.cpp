#include "spreadsheet/automation/chart_objects.h"

#include <algorithm>
#include <string>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/selection.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/shape_place.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/charts/chart_build.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

constexpr uint16_t kChartObject = 5;

std::vector<size_t> chart_drawings(const model::Sheet& sheet) {
  std::vector<size_t> out;
  for (size_t i = 0; i < sheet.drawings.size(); ++i)
    if (sheet.drawings[i].object_type == kChartObject) out.push_back(i);
  return out;
}

}  // namespace

int ChartObjects::Count() const { return static_cast<int>(chart_drawings(sheet_.get()).size()); }

std::shared_ptr<ChartObject> ChartObjects::Item(const Variant& index) const {
  const model::Sheet& sheet = sheet_.get();
  const std::vector<size_t> drawings = chart_drawings(sheet);
  const ItemKey key = item_key(index);
  if (key.number) {
    if (*key.number < 1 || static_cast<size_t>(*key.number) > drawings.size()) raise(Fault::InvalidArgument);
    return std::make_shared<ChartObject>(sheet_, sheet.drawings[drawings[static_cast<size_t>(*key.number - 1)]].object_id);
  }
  for (size_t i : drawings)
    if (equals_ignore_case(drawing_name(sheet.drawings[i]), key.name))
      return std::make_shared<ChartObject>(sheet_, sheet.drawings[i].object_id);
  raise(Fault::InvalidArgument);
}

std::shared_ptr<ChartObject> ChartObjects::Add(double left, double top, double width, double height) {
  if (width < 0 || height < 0) raise(Fault::InvalidArgument);
  model::ChartData data;
  data.chart = charts::new_chart(51);
  return Insert(std::move(data), {left, top, width, height});
}

std::shared_ptr<ChartObject> ChartObjects::Insert(model::ChartData data, const layout::PointRect& place) {
  model::Sheet& sheet = sheet_.get();
  if (sheet.kind != model::SheetKind::Worksheet) raise(Fault::MethodFailed);
  uint16_t id = 0;
  for (const model::DrawingObject& d : sheet.drawings) id = std::max(id, d.object_id);
  for (const model::Comment& c : sheet.comments) id = std::max(id, c.object_id);
  model::DrawingObject d;
  d.object_type = kChartObject;
  d.object_id = static_cast<uint16_t>(id + 1);
  d.name = u"차트 " + from_utf8(std::to_string(chart_drawings(sheet).size() + 1));
  d.chart_index = static_cast<int>(sheet.embedded_charts.size());
  data.chart.width = place.width;
  data.chart.height = place.height;
  sheet.embedded_charts.push_back(std::move(data));
  place_shape(sheet_.workbook(), sheet, d, place);
  sheet.drawings.push_back(std::move(d));
  return std::make_shared<ChartObject>(sheet_, id + 1);
}

size_t ChartObject::drawing() const {
  const int at = chart_drawing(sheet_.get(), object_);
  if (at < 0) raise(Fault::ObjectDeleted);
  return static_cast<size_t>(at);
}

std::u16string ChartObject::Name() const { return drawing_name(get()); }
double ChartObject::Left() const { return shape_place(sheet_.workbook(), sheet_.get(), get()).left; }
double ChartObject::Top() const { return shape_place(sheet_.workbook(), sheet_.get(), get()).top; }
double ChartObject::Width() const { return shape_place(sheet_.workbook(), sheet_.get(), get()).width; }
double ChartObject::Height() const { return shape_place(sheet_.workbook(), sheet_.get(), get()).height; }

bool ChartObject::Shadow() const { return Chart()->handle().chart().area.shadow(); }

void ChartObject::SetName(const std::u16string& name) {
  const size_t at = drawing();
  if (name.empty()) raise(Fault::InvalidArgument);
  sheet_.get().drawings[at].name = name;
}

void ChartObject::place(const layout::PointRect& rect) {
  const size_t at = drawing();
  if (rect.width < 0 || rect.height < 0) raise(Fault::InvalidArgument);
  model::Sheet& sheet = sheet_.get();
  // The chart's own records stay: its place is the drawing's anchor.
  place_shape(sheet_.workbook(), sheet, sheet.drawings[at], rect);
}

void ChartObject::SetLeft(double v) { layout::PointRect r{Left(), Top(), Width(), Height()}; r.left = v; place(r); }
void ChartObject::SetTop(double v) { layout::PointRect r{Left(), Top(), Width(), Height()}; r.top = v; place(r); }
void ChartObject::SetWidth(double v) { layout::PointRect r{Left(), Top(), Width(), Height()}; r.width = v; place(r); }
void ChartObject::SetHeight(double v) { layout::PointRect r{Left(), Top(), Width(), Height()}; r.height = v; place(r); }

void ChartObject::SetShadow(bool shadow) { Chart()->handle().edit().area.type = shadow ? 4 : 0; }

void ChartObject::Delete() {
  const size_t at = drawing();
  model::Sheet& sheet = sheet_.get();
  const int chart = sheet.drawings[at].chart_index;
  sheet.drawings.erase(sheet.drawings.begin() + static_cast<long>(at));
  if (chart >= 0 && static_cast<size_t>(chart) < sheet.embedded_charts.size()) {
    sheet.embedded_charts.erase(sheet.embedded_charts.begin() + chart);
    for (model::DrawingObject& d : sheet.drawings)
      if (d.chart_index > chart) --d.chart_index;
  }
  const auto removed = static_cast<int>(at);
  for (model::Comment& c : sheet.comments)
    if (c.drawing_index > removed) --c.drawing_index;
  auto& book = *sheet_.book;
  if (book.chart_sheet == &sheet && book.chart_object == object_) book.chart_sheet = nullptr;
}

bool ChartObject::RoundedCorners() const {
  get();
  return false;
}

void ChartObject::Activate() {
  get();
  const model::Sheet& sheet = sheet_.get();
  if (sheet_.app->session().active != sheet_.book || active_sheet(sheet_.workbook()) != &sheet)
    raise(Fault::MethodFailed);
  sheet_.book->chart_sheet = &sheet;
  sheet_.book->chart_object = object_;
  sheet_.book->shape_sheet = nullptr;
}

std::shared_ptr<xl::Chart> ChartObject::Chart() const {
  drawing();
  return std::make_shared<xl::Chart>(ChartHandle{sheet_, object_});
}

std::shared_ptr<Chart> active_chart(const std::shared_ptr<Application>& app) {
  const auto& book = app->session().active;
  if (!book) return nullptr;
  model::Sheet* sheet = active_sheet(*book->model);
  if (!sheet) return nullptr;
  const SheetHandle handle{app, book, sheet};
  if (sheet->kind == model::SheetKind::ChartSheet) return std::make_shared<Chart>(ChartHandle{handle, -1});
  if (book->chart_sheet != sheet || chart_drawing(*sheet, book->chart_object) < 0) return nullptr;
  return std::make_shared<Chart>(ChartHandle{handle, book->chart_object});
}

}  // namespace tabrel::xl
