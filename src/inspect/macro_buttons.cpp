#include "inspect/macro_buttons.h"

#include <string>

#include "inspect/answer_layout.h"
#include "runtime/error_resume.h"
#include "runtime/strings.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/shapes.h"

namespace tabrel::inspect {

namespace {

constexpr double kAdjustmentThreshold = 0.7658;
constexpr float kLeftTolerance = 30;
constexpr float kTopTolerance = 10;
constexpr float kWidthTolerance = 30;
constexpr float kHeightTolerance = 10;

std::shared_ptr<xl::Shape> shape_at(const std::shared_ptr<xl::Worksheet>& sheet, int16_t index) {
  return required(deref(deref(sheet).Shapes()).Item(Variant::integer(index)));
}

std::shared_ptr<xl::Shape> answer_shape(ExcelObjects& objects, int16_t index) {
  return shape_at(objects.AnswerSheet, index);
}

std::shared_ptr<xl::Shape> target_shape(ExcelObjects& objects, int16_t index) {
  return shape_at(objects.TargetSheet, index);
}

// A place or size read as the procedures keep it: a single-precision number.
float single(double points) { return static_cast<float>(points); }

// low <= value <= high, both bounds kept as single-precision numbers.
bool within_inclusive(float value, float centre, float tolerance) {
  const float low = centre - tolerance;
  const float high = centre + tolerance;
  return low <= value && value <= high;
}

bool within_strict(float value, float centre, float tolerance) {
  const float low = centre - tolerance;
  const float high = centre + tolerance;
  return low < value && value < high;
}

// Whether the check holds; any failure while reading answers no.
template <class Check>
bool holds(Check&& check) {
  try {
    return check();
  } catch (const AutomationError&) {
    return false;
  }
}

std::u16string text_after_bang(const std::u16string& macro) {
  return rt::Trim(rt::Mid(macro, rt::InStr(macro, u"!") + 1));
}

std::u16string alternative_text(const std::shared_ptr<xl::Worksheet>& sheet, int16_t index) {
  return rt::Trim(rt::Replace(shape_at(sheet, index)->AlternativeText(), u"\n", u" "));
}

std::u16string readable_text(const std::shared_ptr<xl::Worksheet>& sheet, int16_t index) {
  std::u16string text;
  rt::step([&] { text = rt::Trim(deref(deref(shape_at(sheet, index)->TextFrame()).Characters()).Text()); });
  return text;
}

// The first adjustment of the target instance's selection after the target shape is selected,
// as the single-precision number the spreadsheet reports, widened for the comparison.
double first_adjustment(ExcelObjects& objects, int16_t index) {
  target_shape(objects, index)->Select();
  const auto shape = std::dynamic_pointer_cast<xl::Shape>(deref(objects.TargetExcel).Selection());
  if (!shape) xl::raise(xl::Fault::NoSuchMember);  // cells are selected: no ShapeRange
  return static_cast<double>(deref(deref(shape->ShapeRange()).Adjustments()).Item(1));
}

}  // namespace

int16_t FindMacroButton(ExcelObjects& objects, std::u16string_view macroName, int16_t which) {
  const auto& sheet = which == 0 ? objects.AnswerSheet : objects.TargetSheet;
  int count = 0;
  if (!rt::step([&] { count = deref(deref(sheet).Shapes()).Count(); })) return 0;
  for (int i = 1; i <= count; ++i) {
    std::u16string macro;
    if (!rt::step([&] { macro = shape_at(sheet, static_cast<int16_t>(i))->OnAction(); })) continue;
    if (rt::InStr(macro, macroName) > 0) return static_cast<int16_t>(i);
  }
  return 0;
}

bool HasTargetShape(ExcelObjects& objects, int16_t targetIndex) {
  return holds([&] { return !target_shape(objects, targetIndex)->Name().empty(); });
}

bool CompareButtonMacro(ExcelObjects& objects, int16_t answerIndex, int16_t targetIndex) {
  return holds([&] {
    const std::u16string answer = answer_shape(objects, answerIndex)->OnAction();
    const std::u16string target = target_shape(objects, targetIndex)->OnAction();
    if (rt::InStr(answer, u"!") == 0 || rt::InStr(target, u"!") == 0) return answer == target;
    if (text_after_bang(answer) != text_after_bang(target)) return false;
    return alternative_text(objects.AnswerSheet, answerIndex) == alternative_text(objects.TargetSheet, targetIndex);
  });
}

bool CompareShapeText(ExcelObjects& objects, int16_t answerIndex, int16_t targetIndex) {
  return readable_text(objects.AnswerSheet, answerIndex) == readable_text(objects.TargetSheet, targetIndex);
}

bool CompareShapePlacement(ExcelObjects& objects, int16_t answerIndex, int16_t targetIndex) {
  CopyAnswerColumnWidths(objects);
  const bool placed = holds([&] {
    const auto target = target_shape(objects, targetIndex);
    const auto answer = answer_shape(objects, answerIndex);
    return within_inclusive(single(target->Left()), single(answer->Left()), kLeftTolerance) &&
           within_inclusive(single(target->Top()), single(answer->Top()), kTopTolerance);
  });
  return placed && CompareShapeSize(objects, answerIndex, targetIndex);
}

bool CompareShapeSize(ExcelObjects& objects, int16_t answerIndex, int16_t targetIndex) {
  return holds([&] {
    const auto target = target_shape(objects, targetIndex);
    const auto answer = answer_shape(objects, answerIndex);
    return within_strict(single(target->Width()), single(answer->Width()), kWidthTolerance) &&
           within_strict(single(target->Height()), single(answer->Height()), kHeightTolerance);
  });
}

bool CompareShapeType(ExcelObjects& objects, int16_t answerIndex, int16_t targetIndex) {
  return holds([&] {
    const int32_t answer = answer_shape(objects, answerIndex)->AutoShapeType();
    return answer == target_shape(objects, targetIndex)->AutoShapeType();
  });
}

bool IsShapeAdjustmentLow(ExcelObjects& objects, int16_t targetIndex) {
  return holds([&] { return first_adjustment(objects, targetIndex) <= kAdjustmentThreshold; });
}

bool IsShapeAdjustmentHigh(ExcelObjects& objects, int16_t targetIndex) {
  return holds([&] { return first_adjustment(objects, targetIndex) >= kAdjustmentThreshold; });
}

}  // namespace tabrel::inspect
