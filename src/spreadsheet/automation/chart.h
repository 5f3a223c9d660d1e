#pragma once
// A chart as the automation interface shows it: the chart of a chart sheet or of a chart object
// on a worksheet, with its title, legend, data table, plot area, walls, chart area, series,
// chart groups and axes. Reading a part the chart lacks raises as the spreadsheet raises
// (1004 "... 속성을 가져올 수 없습니다" style: Fault::MethodFailed), as does a missing item.

#include <memory>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"
#include "spreadsheet/model/chart.h"

namespace tabrel::xl {

class ChartArea;
class ChartTitle;
class Legend;
class ChartDataTable;
class PlotArea;
class Walls;
class SeriesCollection;
class Series;
class ChartGroup;
class Axis;
class Range;

// Where a chart lives: a chart sheet (object -1) or the chart object of a worksheet whose object
// id is `object`; the object is found by its id, so a handle keeps its chart while other objects
// come and go.
struct ChartHandle {
  SheetHandle sheet;
  int object = -1;
  // The chart's model; raises when the sheet or the chart object is gone.
  const model::Chart& chart() const;
  // The model for a change (the writer keeps what the change leaves alone).
  model::Chart& edit() const;
  bool operator==(const ChartHandle& o) const { return sheet == o.sheet && object == o.object; }
};

// The position among the sheet's drawings of the chart object with object id `object`; -1 when
// there is none.
int chart_drawing(const model::Sheet& sheet, int object);

// The text of a title or label: a cell it is linked to (as the cell shows its value now) or its
// own text.
std::u16string chart_text(const ChartHandle& chart, const model::ChartText& text);

class Chart : public Dispatch {
 public:
  explicit Chart(ChartHandle handle) : handle_(std::move(handle)) {}
  std::u16string type_name() const override { return u"Chart"; }

  int ChartType() const;
  bool HasTitle() const;
  std::shared_ptr<xl::ChartTitle> ChartTitle() const;  // raises without a title
  bool HasLegend() const;
  std::shared_ptr<xl::Legend> Legend() const;          // raises without a legend
  bool HasDataTable() const;
  std::shared_ptr<ChartDataTable> DataTable() const;   // raises without a data table
  std::shared_ptr<xl::PlotArea> PlotArea() const;
  std::shared_ptr<xl::Walls> Walls() const;            // raises on a chart that is not 3-D
  std::shared_ptr<xl::ChartArea> ChartArea() const;
  std::shared_ptr<xl::SeriesCollection> SeriesCollection() const;
  // By position (from 1) or by name.
  std::shared_ptr<xl::Series> SeriesCollection(const Variant& index) const;
  int ChartGroupsCount() const;
  std::shared_ptr<xl::ChartGroup> ChartGroups(const Variant& index) const;
  // type 1 xlCategory, 2 xlValue, 3 xlSeriesAxis; group 1 xlPrimary, 2 xlSecondary. Raises for
  // an axis the chart does not have.
  std::shared_ptr<xl::Axis> Axes(int type, int group = 1) const;

  // Changes. A chart-type number the chart cannot take, or a source that is not one block of
  // cells on a worksheet, raises.
  void SetChartType(int chart_type);
  void SetHasTitle(bool has);
  void SetHasLegend(bool has);
  // plot_by: 1 xlRows, 2 xlColumns, 0 decided from the block's shape.
  void SetSourceData(const Range& source, int plot_by = 0);
  // The wizard's arguments that are given: source, gallery (the older type numbers: 1 area,
  // 2 bar, 3 column, 4 line, 5 pie, -4169 XY scatter, -4100 3-D column ...), plot_by, legend,
  // chart title and the category and value axis titles.
  void ChartWizard(const Range* source, const Variant& gallery, const Variant& plot_by, const Variant& has_legend,
                   const Variant& title, const Variant& category_title, const Variant& value_title);
  // Value labels on every series.
  void ApplyDataLabels();
  // Moves the chart (chart_sheets.h): to a new chart sheet named `name` (kLocationAsNewSheet;
  // empty: "ChartN") before the sheet that held it, or into a new chart object of the worksheet
  // named `name` (kLocationAsObject). The chart leaves its old place, which this object then no
  // longer reaches; the chart in its new place is returned and is the active chart.
  std::shared_ptr<Chart> Location(int where, const std::u16string& name);

  const ChartHandle& handle() const { return handle_; }

 private:
  ChartHandle handle_;
};

}  // namespace tabrel::xl
