#include "inspect/chart_designation.h"

namespace tabrel::inspect {

std::shared_ptr<xl::ChartObject> chart_object(const std::shared_ptr<xl::Worksheet>& sheet, int16_t chartIdx) {
  return required(deref(deref(sheet).ChartObjects()).Item(Variant::integer(chartIdx)));
}

ChartPair activated_charts(ExcelObjects& objects, int16_t chartIdx) {
  chart_object(objects.AnswerSheet, chartIdx)->Activate();
  chart_object(objects.TargetSheet, chartIdx)->Activate();
  return active_charts(objects);
}

ChartPair active_charts(ExcelObjects& objects) {
  return {required(deref(objects.AnswerExcel).ActiveChart()), required(deref(objects.TargetExcel).ActiveChart())};
}

ChartPair chart_sheets(ExcelObjects& objects, int16_t chartSheetIdx) {
  const Variant index = Variant::integer(chartSheetIdx);
  auto answer = required(deref(deref(objects.AnswerExcel).Sheets(index)).ChartSheet());
  auto target = required(deref(deref(objects.TargetExcel).Sheets(index)).ChartSheet());
  return {std::move(answer), std::move(target)};
}

ChartPair designated_charts(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx) {
  if (chartSheetIdx != 0) return chart_sheets(objects, chartSheetIdx);
  return activated_charts(objects, chartIdx);
}

}  // namespace tabrel::inspect
