#include "inspect/chart_axes.h"

#include "inspect/chart_designation.h"
#include "spreadsheet/automation/chart_axes.h"

namespace tabrel::inspect {
namespace {

constexpr int kCategory = 1, kValue = 2;
constexpr int kPrimary = 1, kSecondary = 2;

// Reaches both charts, takes the axis of `type` and `group` from the answer's chart and then
// from the target's, and compares what `read` takes from each.
template <class Read>
bool same_axis_value(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx, int type, int group, Read&& read) {
  return rt::holds([&] {
    const ChartPair charts = designated_charts(objects, chartIdx, chartSheetIdx);
    const auto answer_axis = required(charts.answer->Axes(type, group));
    const auto target_axis = required(charts.target->Axes(type, group));
    const auto answer = read(*answer_axis);
    const auto target = read(*target_axis);
    return answer == target;
  });
}

std::u16string title_caption(const xl::Axis& axis) { return deref(axis.AxisTitle()).Caption(); }
int title_orientation(const xl::Axis& axis) { return deref(axis.AxisTitle()).Orientation(); }

}  // namespace

bool CompareValueAxisMaximum(ExcelObjects& o, int16_t c, int16_t s) {
  return same_axis_value(o, c, s, kValue, kPrimary, [](const xl::Axis& a) { return a.MaximumScale(); });
}
bool CompareSecondaryAxisMinimum(ExcelObjects& o, int16_t c, int16_t s) {
  return same_axis_value(o, c, s, kValue, kSecondary, [](const xl::Axis& a) { return a.MinimumScale(); });
}
bool CompareSecondaryAxisMaximum(ExcelObjects& o, int16_t c, int16_t s) {
  return same_axis_value(o, c, s, kValue, kSecondary, [](const xl::Axis& a) { return a.MaximumScale(); });
}
bool CompareValueAxisMajorUnit(ExcelObjects& o, int16_t c, int16_t s) {
  return same_axis_value(o, c, s, kValue, kPrimary, [](const xl::Axis& a) { return a.MajorUnit(); });
}
bool CompareCategoryAxisReverseOrder(ExcelObjects& o, int16_t c, int16_t s) {
  return same_axis_value(o, c, s, kCategory, kPrimary, [](const xl::Axis& a) { return a.ReversePlotOrder(); });
}
bool CompareCategoryAxisCrosses(ExcelObjects& o, int16_t c, int16_t s) {
  return same_axis_value(o, c, s, kCategory, kPrimary, [](const xl::Axis& a) { return a.Crosses(); });
}
bool CompareCategoryAxisTitle(ExcelObjects& o, int16_t c, int16_t s) {
  return same_axis_value(o, c, s, kCategory, kPrimary, title_caption);
}
bool CompareValueAxisTitle(ExcelObjects& o, int16_t c, int16_t s) {
  return same_axis_value(o, c, s, kValue, kPrimary, title_caption);
}
bool CompareSecondaryAxisTitle(ExcelObjects& o, int16_t c, int16_t s) {
  return same_axis_value(o, c, s, kValue, kSecondary, title_caption);
}
bool CompareValueAxisGridlines(ExcelObjects& o, int16_t c, int16_t s) {
  return same_axis_value(o, c, s, kValue, kPrimary, [](const xl::Axis& a) { return a.HasMajorGridlines(); });
}
bool CompareCategoryAxisGridlines(ExcelObjects& o, int16_t c, int16_t s) {
  return same_axis_value(o, c, s, kCategory, kPrimary, [](const xl::Axis& a) { return a.HasMajorGridlines(); });
}
bool CompareValueAxisTitleOrientation(ExcelObjects& o, int16_t c, int16_t s) {
  return same_axis_value(o, c, s, kValue, kPrimary, title_orientation);
}
bool CompareSecondaryAxisTitleOrientation(ExcelObjects& o, int16_t c, int16_t s) {
  return same_axis_value(o, c, s, kValue, kSecondary, title_orientation);
}

}  // namespace tabrel::inspect
