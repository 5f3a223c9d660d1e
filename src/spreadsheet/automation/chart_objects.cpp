#include "spreadsheet/automation/chart_objects.h"

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/selection.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/shape_place.h"
#include "spreadsheet/automation/shapes.h"
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
    return std::make_shared<ChartObject>(sheet_, drawings[static_cast<size_t>(*key.number - 1)]);
  }
  for (size_t i : drawings)
    if (equals_ignore_case(drawing_name(sheet.drawings[i]), key.name)) return std::make_shared<ChartObject>(sheet_, i);
  raise(Fault::InvalidArgument);
}

const model::DrawingObject& ChartObject::get() const {
  const model::Sheet& sheet = sheet_.get();
  if (drawing_ >= sheet.drawings.size() || sheet.drawings[drawing_].object_type != kChartObject)
    raise(Fault::ObjectDeleted);
  return sheet.drawings[drawing_];
}

std::u16string ChartObject::Name() const { return drawing_name(get()); }
double ChartObject::Left() const { return shape_place(sheet_.workbook(), sheet_.get(), get()).left; }
double ChartObject::Top() const { return shape_place(sheet_.workbook(), sheet_.get(), get()).top; }
double ChartObject::Width() const { return shape_place(sheet_.workbook(), sheet_.get(), get()).width; }
double ChartObject::Height() const { return shape_place(sheet_.workbook(), sheet_.get(), get()).height; }

bool ChartObject::Shadow() const { return Chart()->handle().chart().area.shadow(); }

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
  sheet_.book->chart_drawing = drawing_;
  sheet_.book->shape_sheet = nullptr;
}

std::shared_ptr<xl::Chart> ChartObject::Chart() const {
  get();
  return std::make_shared<xl::Chart>(ChartHandle{sheet_, static_cast<int>(drawing_)});
}

std::shared_ptr<Chart> active_chart(const std::shared_ptr<Application>& app) {
  const auto& book = app->session().active;
  if (!book) return nullptr;
  model::Sheet* sheet = active_sheet(*book->model);
  if (!sheet) return nullptr;
  const SheetHandle handle{app, book, sheet};
  if (sheet->kind == model::SheetKind::ChartSheet) return std::make_shared<Chart>(ChartHandle{handle, -1});
  if (book->chart_sheet != sheet || book->chart_drawing >= sheet->drawings.size()) return nullptr;
  return std::make_shared<Chart>(ChartHandle{handle, static_cast<int>(book->chart_drawing)});
}

}  // namespace tabrel::xl
