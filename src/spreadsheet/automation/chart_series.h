#pragma once
// The series of a chart and their points, as the automation interface shows them: names,
// series formulas, values and category values read from the cells as they are now, chart
// types, line and fill colours, smoothing, and data labels with their texts.

#include <functional>
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
  // A series without values on the chart's first chart group, named "계열N" until named.
  std::shared_ptr<xl::Series> NewSeries();

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
  // xlMarkerStyle* constants; an unknown style raises 1004.
  int MarkerStyle() const;
  void SetMarkerStyle(int style);
  int PointsCount() const;
  std::shared_ptr<xl::Point> Points(int index) const;

  const model::Series& get() const;
  const ChartHandle& chart() const { return chart_; }

  // Changes. Values, XValues and Name take a range of cells (a Range or its sheet-qualified
  // address after "="); values and categories also an array of constants, a name also a text.
  void SetName(const Variant& name);
  void SetValues(const Variant& values);
  void SetXValues(const Variant& values);
  void Delete();
  void SetAxisGroup(int group);      // 1 primary, 2 secondary
  void SetChartType(int chart_type);
  void SetSmooth(bool smooth);
  void SetHasDataLabels(bool has);
  void ApplyDataLabels();            // value labels
  size_t index() const;              // its place among the chart's series records
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
  void SetHasDataLabel(bool has);
  void ApplyDataLabels();
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
  using Setter = std::function<void(const model::LabelParts&, const std::optional<std::u16string>& separator)>;
  explicit DataLabel(std::u16string text, model::LabelParts shown = {}, std::optional<std::u16string> separator = {},
                     Setter set = {})
      : text_(std::move(text)), shown_(shown), separator_(std::move(separator)), set_(std::move(set)) {}
  std::u16string type_name() const override { return u"DataLabel"; }
  std::u16string Text() const { return text_; }
  std::u16string Caption() const { return text_; }
  bool ShowValue() const { return shown_.value; }
  bool ShowCategoryName() const { return shown_.category; }
  bool ShowPercentage() const { return shown_.percent; }
  bool ShowSeriesName() const { return shown_.series_name; }
  void SetShowValue(bool show) { change(&model::LabelParts::value, show); }
  void SetShowCategoryName(bool show) { change(&model::LabelParts::category, show); }
  void SetShowPercentage(bool show) { change(&model::LabelParts::percent, show); }
  void SetShowSeriesName(bool show) { change(&model::LabelParts::series_name, show); }
  // What joins the parts: ", " unless set.
  std::u16string Separator() const { return separator_.value_or(u", "); }
  void SetSeparator(const std::u16string& separator);

 private:
  void change(bool model::LabelParts::*part, bool show);
  std::u16string text_;
  model::LabelParts shown_;
  std::optional<std::u16string> separator_;
  Setter set_;
};

}  // namespace tabrel::xl
