// Making, moving and removing drawn objects: buttons and autoshapes added at a place in points,
// their place changed, their text set, and their removal.

#include <algorithm>

#include "spreadsheet/automation/autoshape_types.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/shape_edits.h"
#include "spreadsheet/automation/shape_place.h"
#include "spreadsheet/automation/shapes.h"

namespace tabrel::xl {
namespace {

constexpr uint16_t kButtonObject = 7, kDrawnShapeObject = 30;
constexpr uint16_t kButtonShapeType = 201;  // a host control
constexpr uint8_t kMoveOnly = 2;
constexpr int kButtonControl = 0;

uint16_t next_object_id(const model::Sheet& sheet) {
  uint16_t last = 0;
  for (const model::DrawingObject& d : sheet.drawings) last = std::max(last, d.object_id);
  for (const model::Comment& c : sheet.comments) last = std::max(last, c.object_id);
  return static_cast<uint16_t>(last + 1);
}

void check_size(double left, double top, double width, double height) {
  if (!(left >= 0 && top >= 0 && width >= 0 && height >= 0)) raise(Fault::InvalidArgument);
}

std::shared_ptr<Shape> add_drawing(const SheetHandle& handle, model::DrawingObject d, const layout::PointRect& rect) {
  model::Sheet& sheet = handle.get();
  d.object_id = next_object_id(sheet);
  d.anchor.placement = kMoveOnly;
  place_shape(handle.workbook(), sheet, d, rect);
  sheet.drawings.push_back(std::move(d));
  return std::make_shared<Shape>(handle, sheet.drawings.size() - 1);
}

}  // namespace

std::shared_ptr<Shape> Shapes::AddFormControl(int type, double left, double top, double width, double height) {
  if (type != kButtonControl) raise(Fault::InvalidArgument);
  check_size(left, top, width, height);
  model::DrawingObject d;
  d.object_type = kButtonObject;
  d.autoshape_type = kButtonShapeType;
  return add_drawing(sheet_, std::move(d), {left, top, width, height});
}

std::shared_ptr<Shape> Shapes::AddShape(int type, double left, double top, double width, double height) {
  const uint16_t stored = type == kShapeRectangle ? 1 : stored_shape_type(type);
  if (stored == 0) raise(Fault::InvalidArgument);
  check_size(left, top, width, height);
  model::DrawingObject d;
  d.object_type = kDrawnShapeObject;
  d.autoshape_type = stored;
  return add_drawing(sheet_, std::move(d), {left, top, width, height});
}

namespace {

void place(const SheetHandle& handle, size_t index, const std::function<void(layout::PointRect&)>& change) {
  model::Sheet& sheet = handle.get();
  if (index >= sheet.drawings.size()) raise(Fault::ObjectDeleted);
  model::DrawingObject& d = sheet.drawings[index];
  layout::PointRect rect = shape_place(handle.workbook(), sheet, d);
  change(rect);
  check_size(rect.left, rect.top, rect.width, rect.height);
  place_shape(handle.workbook(), sheet, d, rect);
}

}  // namespace

void Shape::SetLeft(double left) { place(sheet_, index(), [&](layout::PointRect& r) { r.left = left; }); }
void Shape::SetTop(double top) { place(sheet_, index(), [&](layout::PointRect& r) { r.top = top; }); }
void Shape::SetWidth(double width) { place(sheet_, index(), [&](layout::PointRect& r) { r.width = width; }); }
void Shape::SetHeight(double height) { place(sheet_, index(), [&](layout::PointRect& r) { r.height = height; }); }

void Shape::Delete() {
  const size_t at = index();
  model::Sheet& sheet = sheet_.get();
  constexpr uint16_t kChartObject = 5;
  if (sheet.drawings[at].object_type == kChartObject) {
    ChartObject(sheet_, sheet.drawings[at].object_id).Delete();  // with its chart
    return;
  }
  sheet.drawings.erase(sheet.drawings.begin() + static_cast<std::ptrdiff_t>(at));
  for (model::Comment& c : sheet.comments) {
    if (c.drawing_index == static_cast<int>(at)) c.drawing_index = -1;
    else if (c.drawing_index > static_cast<int>(at)) --c.drawing_index;
  }
}

model::DrawingObject& drawing_to_edit(const SheetHandle& handle, size_t index) {
  auto& drawings = handle.get().drawings;
  if (index >= drawings.size()) raise(Fault::ObjectDeleted);
  model::DrawingObject& d = drawings[index];
  // Lines, rectangles, ovals, arcs, text boxes, buttons and drawn shapes.
  const bool writer_makes = (d.object_type >= 1 && d.object_type <= 7 && d.object_type != 5) || d.object_type == 30;
  if (!writer_makes) raise(Fault::MethodFailed);
  d.shape_bytes.clear();
  d.obj_records.clear();
  return d;
}

void Adjustments::SetItem(int index, double value) {
  if (!writer_) raise(Fault::MethodFailed);
  if (index < 1 || index > Count()) raise(Fault::InvalidArgument);
  writer_(index, value);
  values_[static_cast<size_t>(index - 1)] = value;
}

void Characters::SetText(const std::u16string& text) {
  if (!writer_) raise(Fault::MethodFailed);
  writer_(text);
  text_ = text;
}

}  // namespace tabrel::xl
