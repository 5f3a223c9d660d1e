#include "inspect/chart_placement.h"

#include <string>

#include "inspect/chart_designation.h"
#include "runtime/error_resume.h"
#include "spreadsheet/automation/chart_area.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::inspect {
namespace {

constexpr int16_t kSizeTolerance = 30;
constexpr int16_t kLeftTolerance = 30;
constexpr int16_t kTopTolerance = 10;
constexpr int kLastCopiedRow = 50;

struct ObjectPair {
  std::shared_ptr<xl::ChartObject> answer;
  std::shared_ptr<xl::ChartObject> target;
};

// Activates chart object `chartIdx` of the answer sheet, then of the target sheet, and hands
// out the two objects themselves.
ObjectPair activated_objects(ExcelObjects& objects, int16_t chartIdx) {
  activated_charts(objects, chartIdx);
  return {chart_object(objects.AnswerSheet, chartIdx), chart_object(objects.TargetSheet, chartIdx)};
}

std::shared_ptr<xl::Range> sheet_range(const std::shared_ptr<xl::Worksheet>& sheet, const std::u16string& address) {
  return required(deref(sheet).Range(Variant(address)));
}

void copy_layout(ExcelObjects& objects) {
  for (const char16_t* column : {u"A:A", u"B:B", u"C:C", u"D:D", u"E:E", u"F:F", u"G:G", u"H:H", u"I:I"}) {
    const Variant width = sheet_range(objects.AnswerSheet, column)->ColumnWidth();
    sheet_range(objects.TargetSheet, column)->SetColumnWidth(width);
  }
  for (int row = 1; row <= kLastCopiedRow; ++row) {
    const std::u16string rows = from_utf8(std::to_string(row) + ":" + std::to_string(row));
    const Variant height = sheet_range(objects.AnswerSheet, rows)->RowHeight();
    sheet_range(objects.TargetSheet, rows)->SetRowHeight(height);
  }
}

std::shared_ptr<xl::Shape> shape_at(const std::shared_ptr<xl::Worksheet>& sheet, int16_t index) {
  return required(deref(deref(sheet).Shapes()).Item(Variant::integer(index)));
}

}  // namespace

bool AlignLayoutAndActivateObject(ExcelObjects& objects, int16_t objIdx, int16_t isShape) {
  // A chart is activated on its sheet only while that sheet is in front. The checks before
  // this one may have left other sheets in front (when no macro ran to bring them forward): a
  // chart that is there must not read as missing, nor fail the comparisons that follow.
  rt::step([&] { deref(objects.AnswerSheet).Activate(); });
  rt::step([&] { deref(objects.TargetSheet).Activate(); });
  rt::step([&] { sheet_range(objects.TargetSheet, u"A1")->Activate(); });
  try {
    copy_layout(objects);
    if (isShape == 0) {
      chart_object(objects.TargetSheet, objIdx)->Activate();
    } else {
      shape_at(objects.AnswerSheet, objIdx)->Select();
      shape_at(objects.TargetSheet, objIdx)->Select();
    }
    return false;
  } catch (const AutomationError&) {
    return true;
  }
}

bool CompareChartSize(ExcelObjects& objects, const std::u16string&, const std::u16string&, int16_t chartIdx) {
  return rt::holds([&] {
    const ObjectPair pair = activated_objects(objects, chartIdx);
    const double a = pair.answer->Width(), t = pair.target->Width();
    if (t >= a + kSizeTolerance || t < a - kSizeTolerance) return false;
    const double ah = pair.answer->Height(), th = pair.target->Height();
    return !(th > ah + kSizeTolerance || th < ah - kSizeTolerance);
  });
}

bool CompareChartPosition(ExcelObjects& objects, int16_t chartIdx) {
  return rt::holds([&] {
    const ObjectPair pair = activated_objects(objects, chartIdx);
    const double a = pair.answer->Left(), t = pair.target->Left();
    const double b = pair.answer->Top(), u = pair.target->Top();
    return a - kLeftTolerance <= t && t <= a + kLeftTolerance && b - kTopTolerance <= u && u <= b + kTopTolerance;
  });
}

bool CompareChartShadow(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx) {
  return rt::holds([&] {
    if (chartSheetIdx != 0) {
      const ChartPair charts = chart_sheets(objects, chartSheetIdx);
      return deref(charts.answer->ChartArea()).Shadow() == deref(charts.target->ChartArea()).Shadow();
    }
    const ObjectPair pair = activated_objects(objects, chartIdx);
    return pair.answer->Shadow() == pair.target->Shadow();
  });
}

bool CompareChartRoundedCorners(ExcelObjects& objects, int16_t chartIdx) {
  return rt::holds([&] {
    const ObjectPair pair = activated_objects(objects, chartIdx);
    return pair.answer->RoundedCorners() == pair.target->RoundedCorners();
  });
}

}  // namespace tabrel::inspect
