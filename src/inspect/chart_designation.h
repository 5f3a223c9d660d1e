#pragma once
// How the chart procedures reach the two charts they compare. A chart is designated by a chart
// number (the position of a chart object in the inspected sheet's ChartObjects, from 1) and a
// chart-sheet index (0 for that chart object, else the position of a chart sheet among all
// sheets of the instance's Sheets). Every reach raises as the automation layer raises; the
// procedures turn that into their answer.

#include <cstdint>
#include <memory>

#include "inspect/excel_objects.h"
#include "runtime/error_resume.h"
#include "spreadsheet/automation/chart.h"
#include "spreadsheet/automation/chart_objects.h"

namespace tabrel::inspect {

struct ChartPair {
  std::shared_ptr<xl::Chart> answer;
  std::shared_ptr<xl::Chart> target;
};

// Chart object `chartIdx` of a worksheet.
std::shared_ptr<xl::ChartObject> chart_object(const std::shared_ptr<xl::Worksheet>& sheet, int16_t chartIdx);

// Activates chart object `chartIdx` of AnswerSheet, then of TargetSheet, and takes each
// instance's active chart.
ChartPair activated_charts(ExcelObjects& objects, int16_t chartIdx);

// Each instance's active chart as it stands, nothing activated.
ChartPair active_charts(ExcelObjects& objects);

// Item `chartSheetIdx` of each instance's Sheets, read as a chart sheet.
ChartPair chart_sheets(ExcelObjects& objects, int16_t chartSheetIdx);

// The chart sheets when `chartSheetIdx` is not 0, else the activated chart objects.
ChartPair designated_charts(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx);

}  // namespace tabrel::inspect
