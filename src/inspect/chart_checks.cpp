#include "inspect/chart_checks.h"

#include "inspect/chart_designation.h"
#include "spreadsheet/automation/chart_area.h"
#include "spreadsheet/automation/chart_parts.h"
#include "spreadsheet/automation/chart_series.h"

namespace tabrel::inspect {
namespace {

// Reaches both charts and compares what `read` takes from each, answer first.
template <class Read>
bool same(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx, Read&& read) {
  return rt::holds([&] {
    const ChartPair charts = designated_charts(objects, chartIdx, chartSheetIdx);
    const auto answer = read(*charts.answer);
    const auto target = read(*charts.target);
    return answer == target;
  });
}

int series_type(const xl::Chart& chart, int index) {
  return chart.SeriesCollection(Variant::integer(static_cast<int16_t>(index)))->ChartType();
}

int legend_position(const xl::Chart& chart) { return deref(chart.Legend()).Position(); }

}  // namespace

bool CompareChartType(ExcelObjects& objects, int16_t chartIdx, int16_t seriesIdx, int16_t chartSheetIdx) {
  return rt::holds([&] {
    const ChartPair charts = designated_charts(objects, chartIdx, chartSheetIdx);
    if (seriesIdx != 0) return series_type(*charts.answer, seriesIdx) == series_type(*charts.target, seriesIdx);
    const auto n = static_cast<int16_t>(deref(charts.answer->SeriesCollection()).Count());
    for (int i = 1; i <= n; ++i)
      if (series_type(*charts.answer, i) != series_type(*charts.target, i)) return false;
    return true;
  });
}

bool CompareChartTitle(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx) {
  return same(objects, chartIdx, chartSheetIdx, [](const xl::Chart& c) {
    return deref(deref(c.ChartTitle()).Characters()).Text();
  });
}

bool ComparePlotAreaColor(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx) {
  return same(objects, chartIdx, chartSheetIdx,
              [](const xl::Chart& c) { return deref(deref(c.PlotArea()).Interior()).ColorIndex(); });
}

bool CompareWallsColor(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx) {
  return same(objects, chartIdx, chartSheetIdx,
              [](const xl::Chart& c) { return deref(deref(c.Walls()).Interior()).ColorIndex(); });
}

bool CompareHasLegend(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx) {
  return same(objects, chartIdx, chartSheetIdx, [](const xl::Chart& c) { return c.HasLegend(); });
}

bool CompareLegendPosition(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx) {
  if (chartSheetIdx != 0) {
    try {
      const ChartPair charts = chart_sheets(objects, chartSheetIdx);
      return legend_position(*charts.answer) == legend_position(*charts.target);
    } catch (const AutomationError&) {
      return IsTargetLegendMissing(objects);
    }
  }
  ChartPair charts;
  try {
    charts = activated_charts(objects, chartIdx);
    legend_position(*charts.answer);
  } catch (const AutomationError&) {
    return IsTargetLegendMissing(objects);
  }
  return rt::holds([&] {
    legend_position(*charts.target);
    return legend_position(*charts.answer) == legend_position(*charts.target);
  });
}

bool IsTargetLegendMissing(ExcelObjects& objects) {
  try {
    legend_position(*required(deref(objects.TargetExcel).ActiveChart()));
    return false;
  } catch (const AutomationError&) {
    return true;
  }
}

bool CompareHasDataTable(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx) {
  return same(objects, chartIdx, chartSheetIdx, [](const xl::Chart& c) { return c.HasDataTable(); });
}

bool CompareDataTableLegendKey(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx) {
  return same(objects, chartIdx, chartSheetIdx,
              [](const xl::Chart& c) { return deref(c.DataTable()).ShowLegendKey(); });
}

bool CompareChartAutoScaleFont(ExcelObjects& objects, int16_t chartIdx) {
  return same(objects, chartIdx, 0, [](const xl::Chart& c) { return deref(c.ChartArea()).AutoScaleFont(); });
}

bool CompareVaryByCategories(ExcelObjects& objects, int16_t chartIdx, int16_t& groupIdx, int16_t chartSheetIdx) {
  if (groupIdx == 0) groupIdx = 1;
  const Variant index = Variant::integer(groupIdx);
  return rt::holds([&] {
    const ChartPair charts = designated_charts(objects, chartIdx, chartSheetIdx);
    if (deref(charts.answer->ChartGroups(index)).VaryByCategories() !=
        deref(charts.target->ChartGroups(index)).VaryByCategories())
      return false;
    return deref(deref(charts.answer->SeriesCollection(index)).Interior()).ColorIndex() ==
           deref(deref(charts.target->SeriesCollection(index)).Interior()).ColorIndex();
  });
}

}  // namespace tabrel::inspect
