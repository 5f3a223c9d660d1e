#include "spreadsheet/automation/shapes.h"

#include <array>
#include <cmath>
#include <utility>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/autoshape_types.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/selection.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/shape_edits.h"
#include "spreadsheet/automation/shape_place.h"
#include "spreadsheet/automation/shape_properties.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

constexpr double kShapeUnits = 21600;

// Objects that carry no name of their own are named by their kind and their object number.
constexpr std::array<std::pair<uint16_t, const char16_t*>, 20> kKindNames = {{
    {0, u"Group"},      {1, u"Line"},           {2, u"Rectangle"},  {3, u"Oval"},       {4, u"Arc"},
    {5, u"Chart"},      {6, u"TextBox"},        {7, u"Button"},     {8, u"Picture"},    {9, u"Freeform"},
    {11, u"Check Box"}, {12, u"Option Button"}, {14, u"Label"},     {16, u"Spinner"},   {17, u"Scroll Bar"},
    {18, u"List Box"},  {19, u"Group Box"},     {20, u"Drop Down"}, {25, u"Comment"},   {30, u"AutoShape"},
}};

}  // namespace

std::u16string drawing_name(const model::DrawingObject& d) {
  if (!d.name.empty()) return d.name;
  std::u16string kind = u"Object";
  for (const auto& [type, word] : kKindNames)
    if (type == d.object_type) kind = word;
  return kind + u" " + from_utf8(std::to_string(d.object_id));
}

namespace {

layout::PointRect place_of(const SheetHandle& handle, const model::DrawingObject& d) {
  return shape_place(handle.workbook(), handle.get(), d);
}

}  // namespace

Shapes::Shapes(SheetHandle sheet) : sheet_(std::move(sheet)) {}

int Shapes::Count() const { return static_cast<int>(sheet_.get().drawings.size()); }

std::shared_ptr<Shape> Shapes::Item(const Variant& index) const {
  const auto& drawings = sheet_.get().drawings;
  const ItemKey key = item_key(index);
  if (key.number) {
    if (*key.number < 1 || static_cast<size_t>(*key.number) > drawings.size()) raise(Fault::InvalidArgument);
    return std::make_shared<Shape>(sheet_, static_cast<size_t>(*key.number - 1));
  }
  for (size_t i = 0; i < drawings.size(); ++i)
    if (equals_ignore_case(drawing_name(drawings[i]), key.name)) return std::make_shared<Shape>(sheet_, i);
  raise(Fault::InvalidArgument);
}

Shape::Shape(SheetHandle sheet, size_t index) : sheet_(std::move(sheet)), position_(index) {
  const auto& drawings = sheet_.get().drawings;
  if (index < drawings.size()) object_ = drawings[index].object_id;
}

size_t Shape::index() const {
  const auto& drawings = sheet_.get().drawings;
  if (position_ < drawings.size() && drawings[position_].object_id == object_) return position_;
  for (size_t i = 0; i < drawings.size(); ++i)
    if (drawings[i].object_id == object_) return position_ = i;
  raise(Fault::ObjectDeleted);
}

const model::DrawingObject& Shape::get() const { return sheet_.get().drawings[index()]; }

std::u16string Shape::Name() const { return drawing_name(get()); }
std::u16string Shape::OnAction() const { return get().macro; }

// The stored macro formula named the old macro; dropping it makes the file writer encode the
// new text.
void Shape::SetOnAction(const std::u16string& macro) {
  model::DrawingObject& drawing = sheet_.get().drawings[index()];
  drawing.macro = macro;
  drawing.macro_tokens.clear();
}

double Shape::Rotation() const { return get().rotation; }

void Shape::SetRotation(double degrees) {
  if (!std::isfinite(degrees)) raise(Fault::InvalidArgument);
  const double turned = std::fmod(degrees, 360.0);
  sheet_.get().drawings[index()].rotation = turned < 0 ? turned + 360.0 : turned;
}

std::u16string Shape::AlternativeText() const { return get().alternative_text; }

int Shape::AutoShapeType() const { return autoshape_type(get().autoshape_type); }

int Shape::Type() const {
  constexpr int kAutoShape = 1, kChart = 3, kComment = 4, kFormControl = 8, kLine = 9, kPicture = 13, kTextBox = 17;
  switch (get().object_type) {
    case 1: return kLine;
    case 5: return kChart;
    case 6: return kTextBox;
    case 8: return kPicture;
    case 25: return kComment;
    case 7: case 11: case 12: case 14: case 16: case 17: case 18: case 20: return kFormControl;
    default: return kAutoShape;
  }
}

std::shared_ptr<xl::TextFrame> Shape::TextFrame() const {
  get();
  return std::make_shared<xl::TextFrame>(shared_from_this());
}

double Shape::Left() const { return place_of(sheet_, get()).left; }
double Shape::Top() const { return place_of(sheet_, get()).top; }
double Shape::Width() const { return place_of(sheet_, get()).width; }
double Shape::Height() const { return place_of(sheet_, get()).height; }

std::shared_ptr<xl::Adjustments> Shape::Adjustments() const {
  const model::DrawingObject& d = get();
  std::vector<double> values;
  for (int32_t v : shape_adjustments(d)) values.push_back(v / kShapeUnits);
  const SheetHandle handle = sheet_;
  const size_t index = this->index();
  return std::make_shared<xl::Adjustments>(std::move(values), [handle, index](int item, double value) {
    drawing_to_edit(handle, index).adjustments[item - 1] =
        static_cast<int32_t>(value * kShapeUnits + (value < 0 ? -0.5 : 0.5));
  });
}

void Shape::Select() {
  get();
  model::Sheet& sheet = sheet_.get();
  if (sheet_.app->session().active != sheet_.book || active_sheet(sheet_.workbook()) != &sheet)
    raise(Fault::MethodFailed);
  sheet_.book->shape_sheet = &sheet;
  sheet_.book->shape_index = index();
  sheet_.book->chart_sheet = nullptr;
}

std::shared_ptr<xl::Characters> TextFrame::Characters() const {
  const model::Sheet& sheet = shape_->sheet().get();
  if (shape_->index() >= sheet.drawings.size()) raise(Fault::ObjectDeleted);
  const SheetHandle handle = shape_->sheet();
  const size_t index = shape_->index();
  return std::make_shared<xl::Characters>(sheet.drawings[index].text.text, [handle, index](const std::u16string& text) {
    model::RichText rich;
    rich.text = text;
    drawing_to_edit(handle, index).text = std::move(rich);
  });
}

float Adjustments::Item(int index) const {
  if (index < 1 || index > Count()) raise(Fault::InvalidArgument);
  return static_cast<float>(values_[static_cast<size_t>(index - 1)]);
}

}  // namespace tabrel::xl
