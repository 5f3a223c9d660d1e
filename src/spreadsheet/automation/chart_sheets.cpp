#include "spreadsheet/automation/chart_sheets.h"

#include <string>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/selection.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/charts/chart_build.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/ops/sheet_ops.h"

namespace tabrel::xl {
namespace {

// A chart moved into a worksheet takes this place: 5 by 3 inches, an inch from the sheet's
// left edge and half an inch from its top.
constexpr layout::PointRect kMovedChartPlace{72, 36, 360, 216};

std::u16string new_chart_sheet_name(const model::Workbook& wb) {
  for (int n = 1;; ++n) {
    std::u16string name = u"Chart" + from_utf8(std::to_string(n));
    if (!wb.sheet(name)) return name;
  }
}

void check_new_name(const model::Workbook& wb, const std::u16string& name) {
  if (name.size() > 31) raise(Fault::SheetNameInvalid);
  if (wb.sheet(name)) raise(Fault::SheetNameTaken);
}

size_t position_of(const Variant& sheet, const std::shared_ptr<Book>& book) {
  auto ws = sheet.is_object() ? std::dynamic_pointer_cast<Worksheet>(sheet.object()) : nullptr;
  if (!ws || ws->handle().book != book) raise(Fault::TypeMismatch);
  return static_cast<size_t>(ws->handle().index());
}

size_t position_in(const model::Workbook& wb, const model::Sheet& sheet) {
  for (size_t i = 0; i < wb.sheets.size(); ++i)
    if (wb.sheets[i].get() == &sheet) return i;
  raise(Fault::ObjectDeleted);
}

// A chart sheet holding `chart` at `position`, made the active sheet.
std::shared_ptr<Chart> insert_chart_sheet(const std::shared_ptr<Application>& app, const std::shared_ptr<Book>& book,
                                          size_t position, std::u16string name, model::ChartData chart) {
  model::Workbook& wb = *book->model;
  if (name.empty()) name = new_chart_sheet_name(wb);
  check_new_name(wb, name);
  model::Sheet& sheet = ops::insert_worksheet(wb, position, std::move(name));
  sheet.kind = model::SheetKind::ChartSheet;
  sheet.chart = std::move(chart);
  forget_calculation(*book);
  make_active(wb, sheet);
  return std::make_shared<Chart>(ChartHandle{SheetHandle{app, book, &sheet}, -1});
}

}  // namespace

int Charts::Count() const {
  int n = 0;
  for (const auto& s : open_workbook(*app_, *book_).sheets) n += s->kind == model::SheetKind::ChartSheet ? 1 : 0;
  return n;
}

std::shared_ptr<Chart> Charts::Item(const Variant& index) const {
  model::Workbook& wb = open_workbook(*app_, *book_);
  const ItemKey key = item_key(index);
  int position = 0;
  for (const auto& s : wb.sheets) {
    if (s->kind != model::SheetKind::ChartSheet) continue;
    ++position;
    if (key.number ? position == *key.number : equals_ignore_case(s->name, key.name))
      return std::make_shared<Chart>(ChartHandle{SheetHandle{app_, book_, s.get()}, -1});
  }
  raise(Fault::SubscriptOutOfRange);
}

std::shared_ptr<Chart> Charts::Add(const Variant& before, const Variant& after) {
  model::Workbook& wb = open_workbook(*app_, *book_);
  size_t position = wb.view.active_sheet;
  if (!omitted(before)) position = position_of(before, book_);
  else if (!omitted(after)) position = position_of(after, book_) + 1;
  model::ChartData chart;
  chart.chart = charts::new_chart(51);
  return insert_chart_sheet(app_, book_, position, {}, std::move(chart));
}

std::shared_ptr<Chart> Chart::Location(int where, const std::u16string& name) {
  const SheetHandle& from = handle_.sheet;
  model::Workbook& wb = from.workbook();
  model::Sheet& sheet = from.get();
  if (where == kLocationAsObject) {
    model::Sheet* target = wb.sheet(name);
    if (!target || target->kind != model::SheetKind::Worksheet) raise(Fault::MethodFailed);
    model::ChartData chart;
    if (handle_.object < 0) {
      chart = std::move(sheet.chart);
      const size_t position = position_in(wb, sheet);
      from.book->removed_sheets.push_back(ops::remove_sheet(wb, position));
      forget_calculation(*from.book);
    } else {
      const int drawing = chart_drawing(sheet, handle_.object);
      if (drawing < 0) raise(Fault::ObjectDeleted);
      const int index = sheet.drawings[static_cast<size_t>(drawing)].chart_index;
      chart = sheet.embedded_charts.at(static_cast<size_t>(index));
      ChartObject(from, handle_.object).Delete();
    }
    const SheetHandle to{from.app, from.book, target};
    make_active(wb, *target);
    auto object = ChartObjects(to).Insert(std::move(chart), kMovedChartPlace);
    object->Activate();
    return object->Chart();
  }
  if (where != kLocationAsNewSheet) raise(Fault::InvalidArgument);
  if (handle_.object < 0) {
    // Already a chart sheet: it takes the new name.
    if (!name.empty() && !equals_ignore_case(name, sheet.name)) {
      Worksheet(from).SetName(name);
    }
    return std::make_shared<Chart>(handle_);
  }
  const int drawing = chart_drawing(sheet, handle_.object);
  if (drawing < 0) raise(Fault::ObjectDeleted);
  model::ChartData chart = sheet.embedded_charts.at(static_cast<size_t>(sheet.drawings[static_cast<size_t>(drawing)].chart_index));
  if (!name.empty()) check_new_name(wb, name);
  ChartObject(from, handle_.object).Delete();
  return insert_chart_sheet(from.app, from.book, position_in(wb, sheet), name, std::move(chart));
}

}  // namespace tabrel::xl
