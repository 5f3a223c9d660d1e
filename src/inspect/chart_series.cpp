#include "inspect/chart_series.h"

#include "inspect/chart_designation.h"
#include "runtime/strings.h"
#include "spreadsheet/automation/chart_series.h"

namespace tabrel::inspect {
namespace {

std::shared_ptr<xl::Series> series(const xl::Chart& chart, const Variant& index) {
  return required(chart.SeriesCollection(index));
}

std::shared_ptr<xl::Series> series(const xl::Chart& chart, int16_t index) {
  return series(chart, Variant::integer(index));
}

std::shared_ptr<xl::Point> point(const xl::Chart& chart, int16_t seriesIdx, int16_t pointIdx) {
  return required(series(chart, seriesIdx)->Points(pointIdx));
}

ChartPair flagged_charts(ExcelObjects& objects, int16_t chartIdx, int16_t useActiveChart) {
  return useActiveChart == 0 ? activated_charts(objects, chartIdx) : active_charts(objects);
}

long upper_bound(const Variant& array) {
  if (!array.is_array()) raise_error(err::kTypeMismatch);
  const VariantArray& a = array.arr();
  return a.lower.at(0) + a.extent.at(0) - 1;
}

// The formula's parts between "=SERIES(" and ")", cut by position, split at every ",", the
// plot order (the last part) left out.
std::vector<std::u16string> examined_parts(const std::u16string& formula) {
  const long length = static_cast<long>(formula.size());
  std::vector<std::u16string> parts = rt::Split(rt::Mid(formula, 9, length - 9), u",");
  if (!parts.empty()) parts.pop_back();
  return parts;
}

std::u16string without_sheet(const std::u16string& part) {
  const long bang = rt::InStr(part, u"!");
  return bang > 0 ? rt::Mid(part, bang + 1) : part;
}

bool part_found(const std::u16string& part, const std::u16string& target) {
  const long colon = rt::InStr(part, u":");
  if (colon == 0) return rt::InStr(target, part) > 0;
  const std::u16string first = rt::Left(part, colon - 1);
  const std::u16string second = rt::Mid(part, colon + 1);
  return rt::InStr(target, first) > 0 || rt::InStr(target, second) > 0;
}

bool same_names(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx, int16_t count) {
  for (int16_t i = 1; i <= count; ++i)
    if (!CompareSeriesName(objects, chartIdx, chartSheetIdx, i)) return false;
  return true;
}

}  // namespace

bool CompareSeriesName(ExcelObjects& objects, int16_t chartIdx, int16_t chartSheetIdx, int16_t seriesIdx) {
  return rt::holds([&] {
    const ChartPair charts = designated_charts(objects, chartIdx, chartSheetIdx);
    const std::u16string answer = series(*charts.answer, seriesIdx)->Name();
    return answer == series(*charts.target, seriesIdx)->Name();
  });
}

bool CompareSeriesBorderColor(ExcelObjects& objects, int16_t chartIdx, int16_t useActiveChart, int16_t seriesIdx) {
  return rt::holds([&] {
    const ChartPair charts = flagged_charts(objects, chartIdx, useActiveChart);
    const int answer = deref(series(*charts.answer, seriesIdx)->Border()).ColorIndex();
    return answer == deref(series(*charts.target, seriesIdx)->Border()).ColorIndex();
  });
}

bool CompareSeriesSmooth(ExcelObjects& objects, int16_t chartIdx, int16_t useActiveChart, int16_t seriesIdx) {
  return rt::holds([&] {
    const ChartPair charts = flagged_charts(objects, chartIdx, useActiveChart);
    const bool answer = series(*charts.answer, seriesIdx)->Smooth();
    return answer == series(*charts.target, seriesIdx)->Smooth();
  });
}

bool CompareChartDataRange(ExcelObjects& objects, int16_t chartIdx, int16_t seriesIdx, int16_t chartSheetIdx) {
  return rt::holds([&] {
    const bool sheets = chartSheetIdx != 0;
    const ChartPair charts = designated_charts(objects, chartIdx, chartSheetIdx);
    const int count = deref(charts.answer->SeriesCollection()).Count();
    if (count != deref(charts.target->SeriesCollection()).Count()) return false;
    const auto n = static_cast<int16_t>(count);
    if (sheets) {
      if (!same_names(objects, chartIdx, chartSheetIdx, n)) return false;
    } else {
      for (int16_t i = 1; i <= n; ++i) {
        if (!CompareSeriesName(objects, chartIdx, 0, i)) return false;
        if (upper_bound(series(*charts.target, i)->XValues()) != upper_bound(series(*charts.answer, i)->Values()))
          return false;
      }
    }
    const auto answer_series = series(*charts.answer, seriesIdx);
    const std::vector<std::u16string> parts = examined_parts(answer_series->FormulaR1C1());
    const Variant name(answer_series->Name());
    for (const std::u16string& part : parts) {
      const std::u16string target = series(*charts.target, name)->FormulaR1C1();
      const bool found = sheets ? rt::InStr(target, part) > 0 : part_found(without_sheet(part), target);
      if (!found) return false;
    }
    return true;
  });
}

bool ComparePointHasDataLabel(ExcelObjects& objects, int16_t, int16_t seriesIdx, int16_t pointIdx,
                              int16_t chartSheetIdx) {
  return rt::holds([&] {
    const ChartPair charts = chartSheetIdx != 0 ? chart_sheets(objects, chartSheetIdx) : active_charts(objects);
    const bool answer = point(*charts.answer, seriesIdx, pointIdx)->HasDataLabel();
    return answer == point(*charts.target, seriesIdx, pointIdx)->HasDataLabel();
  });
}

bool ComparePointDataLabel(ExcelObjects& objects, int16_t chartIdx, int16_t seriesIdx, int16_t pointIdx,
                           int16_t chartSheetIdx) {
  return rt::holds([&] {
    const ChartPair charts = designated_charts(objects, chartIdx, chartSheetIdx);
    const auto answer = point(*charts.answer, seriesIdx, pointIdx);
    const auto target = point(*charts.target, seriesIdx, pointIdx);
    const bool answer_label = answer->HasDataLabel();
    const bool target_label = target->HasDataLabel();
    if (!answer_label && !target_label) return true;
    const std::u16string text = deref(answer->DataLabel()).Text();
    return text == deref(target->DataLabel()).Text();
  });
}

}  // namespace tabrel::inspect
