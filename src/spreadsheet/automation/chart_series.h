#pragma once
// The series of a chart and their points, as the automation interface shows them: names,
// series formulas, values and category values read from the cells as they are now, chart
// types, line and fill colours, smoothing, and data labels with their texts.

#include <memory>
#include <string>

#include "spreadsheet/automation/chart.h"
#include "spreadsheet/automation/chart_parts.h"

namespace tabrel::xl {

class Point;
class DataLabel;

class SeriesCollection : public Dispatch {
 public:
  explicit SeriesCollection(ChartHandle chart) : chart_(std::move(chart)) {}
  std::u16string type_name() const override { return u"SeriesCollection"; }
  int Count() const;
  // By position (from 1) or by name (exactly as Series.Name gives it); raises for a missing one.
  std::shared_ptr<xl::Series> Item(const Variant& index) const;

 private:
  ChartHandle chart_;
};

class Series : public Dispatch {
 public:
  // `position`: the series' place among the chart's plotted series, from 0.
  Series(ChartHandle chart, size_t position) : chart_(std::move(chart)), position_(position) {}
  std::u16string type_name() const override { return u"Series"; }

  // From the name's cell, the literal name, or "계열N" for a series without a name.
  std::u16string Name() const;
  std::u16string Formula() const;
  std::u16string FormulaR1C1() const;
  int PlotOrder() const;
  int AxisGroup() const;  // 1 primary, 2 secondary
  int ChartType() const;
  // The values of the cells the series plots, as they are now, in a 1-based array (a literal
  // array gives its own values). Raises 1004 when the reference cannot be read.
  Variant Values() const;
  // The category values; a series without categories gets 1 .. n.
  Variant XValues() const;
  bool Smooth() const;
  bool HasDataLabels() const;
  std::shared_ptr<ChartColor> Border() const;
  std::shared_ptr<ChartColor> Interior() const;
  int PointsCount() const;
  std::shared_ptr<xl::Point> Points(int index) const;

  const model::Series& get() const;
  const ChartHandle& chart() const { return chart_; }
  size_t position() const { return position_; }

 private:
  ChartHandle chart_;
  size_t position_;
};

class Point : public Dispatch {
 public:
  Point(std::shared_ptr<const Series> series, size_t index) : series_(std::move(series)), index_(index) {}
  std::u16string type_name() const override { return u"Point"; }
  bool HasDataLabel() const;
  std::shared_ptr<xl::DataLabel> DataLabel() const;  // raises without a label
  std::shared_ptr<ChartColor> Interior() const;
  std::shared_ptr<ChartColor> Border() const;

 private:
  const model::DataFormat* format() const;
  std::shared_ptr<const Series> series_;
  size_t index_;
};

class DataLabel : public Dispatch {
 public:
  explicit DataLabel(std::u16string text) : text_(std::move(text)) {}
  std::u16string type_name() const override { return u"DataLabel"; }
  std::u16string Text() const { return text_; }
  std::u16string Caption() const { return text_; }

 private:
  std::u16string text_;
};

}  // namespace tabrel::xl
