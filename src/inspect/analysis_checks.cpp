#include "inspect/analysis_checks.h"

#include <cmath>

#include "inspect/cell_walk.h"
#include "inspect/text_cells.h"
#include "runtime/error_resume.h"
#include "runtime/strings.h"
#include "spreadsheet/automation/autofilter.h"
#include "spreadsheet/automation/command_bars.h"
#include "spreadsheet/automation/pivot_tables.h"
#include "spreadsheet/automation/shapes.h"

namespace tabrel::inspect {

namespace {

constexpr float kPlaceTolerance = 10;
constexpr float kSizeTolerance = 50;

// The row number of an address: the text after its column letter, as a 16-bit integer.
int16_t row_of(std::u16string_view cell) {
  return Variant(rt::Mid(std::u16string(cell), 2)).to_integer();
}

double row_height(const std::shared_ptr<xl::Worksheet>& sheet, int16_t row) {
  return required(deref(sheet).Rows(Variant::integer(row)))->Height().to_double();
}

Variant first_criterion(const std::shared_ptr<xl::Worksheet>& sheet, int16_t field) {
  const auto filter = required(deref(sheet).AutoFilter());
  return required(deref(filter->Filters()).Item(Variant::integer(field)))->Criteria1();
}

// Two criteria compared as values: texts exactly, numbers as numbers, other kinds differ.
bool same_value(const Variant& a, const Variant& b) {
  if (a.is_string() || b.is_string()) return a.is_string() && b.is_string() && a.str() == b.str();
  return a.to_double() == b.to_double();
}

void set_page_item(const std::shared_ptr<xl::Worksheet>& sheet, std::u16string_view item) {
  const auto table = required(deref(sheet).PivotTables(Variant::integer(1)));
  const auto field = required(deref(table->PageRangeCells()).PivotField());
  required(field->DataRange())->SetValue(Variant(std::u16string(item)));
}

std::shared_ptr<xl::Shape> shape_at(const std::shared_ptr<xl::Worksheet>& sheet, int index) {
  return required(deref(deref(sheet).Shapes()).Item(Variant::integer(static_cast<int16_t>(index))));
}

bool strictly_near(float value, float centre) {
  const float low = centre - kPlaceTolerance;
  const float high = centre + kPlaceTolerance;
  return low < value && value < high;
}

bool misplaced(ExcelObjects& objects, int16_t answerShape) {
  const int count = deref(deref(objects.AnswerSheet).Shapes()).Count();
  const auto answer = shape_at(objects.AnswerSheet, answerShape);
  const auto left = static_cast<float>(answer->Left());
  const auto top = static_cast<float>(answer->Top());
  for (int i = 1; i <= count; ++i) {
    const auto target = shape_at(objects.TargetSheet, i);
    if (!strictly_near(static_cast<float>(target->Left()), left)) continue;
    if (!strictly_near(static_cast<float>(target->Top()), top)) continue;
    const float width = std::fabs(static_cast<float>(answer->Width()) - static_cast<float>(target->Width()));
    if (width > kSizeTolerance) return true;
    const float height = std::fabs(static_cast<float>(answer->Height()) - static_cast<float>(target->Height()));
    return height > kSizeTolerance;
  }
  return true;
}

bool camera_on_visible_toolbar(ExcelObjects& objects) {
  const int count = deref(deref(objects.AnswerExcel).CommandBars()).Count();
  const auto bars = deref(objects.TargetExcel).CommandBars();
  for (int i = 1; i <= count; ++i) {
    const auto bar = bars->Item(Variant::integer(static_cast<int16_t>(i)));
    if (bar->Type() != xl::kMsoBarTypeNormal || !bar->Visible()) continue;
    const auto controls = bar->Controls();
    for (int j = 1; j <= controls->Count(); ++j)
      if (controls->Item(Variant::integer(static_cast<int16_t>(j)))->Id() == xl::kCameraControlId) return true;
  }
  return false;
}

}  // namespace

bool CompareAutoFilterResult(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                             int16_t field) {
  int16_t first = 0, last = 0;
  rt::step([&] { first = row_of(startCell); });
  rt::step([&] { last = row_of(endCell); });
  for (int r = first; r <= last; ++r) {
    const auto row = static_cast<int16_t>(r);
    const bool hidden_differs = rt::met([&] {
      const bool answer_hidden = row_height(objects.AnswerSheet, row) == 0;
      const bool target_hidden = row_height(objects.TargetSheet, row) == 0;
      return answer_hidden != target_hidden;
    });
    if (hidden_differs) return false;
  }
  if (field != 0 &&
      rt::met([&] { return !same_value(first_criterion(objects.AnswerSheet, field), first_criterion(objects.TargetSheet, field)); }))
    return false;
  try {
    return !reports_cells(GetWrongTextCells(objects, startCell, endCell, 0, false));
  } catch (const AutomationError&) {
    return false;
  } catch (const RangeArgumentError&) {
    return false;
  }
}

std::u16string GetWrongPivotPageCells(ExcelObjects& objects, std::u16string_view startCell,
                                      std::u16string_view endCell, std::u16string_view pageItem) {
  rt::step([&] {
    set_page_item(objects.AnswerSheet, pageItem);
    set_page_item(objects.TargetSheet, pageItem);
  });
  return GetWrongTextCells(objects, startCell, endCell, 1, false);
}

bool IsShapeMisplaced(ExcelObjects& objects, int16_t answerShape) {
  try {
    return misplaced(objects, answerShape);
  } catch (const AutomationError&) {
    return true;
  }
}

bool HasCameraButton(ExcelObjects& objects) {
  try {
    return camera_on_visible_toolbar(objects);
  } catch (const AutomationError&) {
    return false;
  }
}

}  // namespace tabrel::inspect
