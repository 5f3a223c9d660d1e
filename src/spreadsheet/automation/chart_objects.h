#pragma once
// The chart objects of a worksheet: the drawn objects that hold a chart, in the sheet's drawing
// order, with their place in points, their frame, and activation. Activating a chart object
// makes its chart the instance's ActiveChart until cells or another object are selected.

#include <memory>
#include <string>

#include "spreadsheet/automation/chart.h"
#include "spreadsheet/layout/anchor_geometry.h"

namespace tabrel::xl {

class ChartObject;

class ChartObjects : public Dispatch {
 public:
  explicit ChartObjects(SheetHandle sheet) : sheet_(std::move(sheet)) {}
  std::u16string type_name() const override { return u"ChartObjects"; }
  int Count() const;
  // By position (from 1) or by name (letter case ignored); raises for a missing one.
  std::shared_ptr<ChartObject> Item(const Variant& index) const;
  // A new empty clustered-column chart at the place given in points, named "차트 N".
  // Negative sizes raise.
  std::shared_ptr<ChartObject> Add(double left, double top, double width, double height);
  // A new chart object holding `chart`, at `place` (points).
  std::shared_ptr<ChartObject> Insert(model::ChartData chart, const layout::PointRect& place);

 private:
  SheetHandle sheet_;
};

class ChartObject : public Dispatch {
 public:
  // `object`: the chart object's object id; the object is found by it at each use.
  ChartObject(SheetHandle sheet, int object) : sheet_(std::move(sheet)), object_(object) {}
  std::u16string type_name() const override { return u"ChartObject"; }

  std::u16string Name() const;
  double Left() const;
  double Top() const;
  double Width() const;
  double Height() const;
  // The chart area's frame: with a shadow, and (not kept by this file format's chart records
  // we read) rounded corners, which read as False.
  bool Shadow() const;
  bool RoundedCorners() const;
  void SetName(const std::u16string& name);
  void SetLeft(double v);
  void SetTop(double v);
  void SetWidth(double v);  // negative sizes raise
  void SetHeight(double v);
  void SetShadow(bool shadow);
  // Removes the chart object and its chart; later objects move up (objects fetched before keep
  // their own chart object).
  void Delete();
  // Makes the chart the instance's active chart. Only a chart object of the active sheet of the
  // instance's active workbook can be activated, as with selecting cells; any other raises 1004.
  void Activate();
  std::shared_ptr<xl::Chart> Chart() const;

 private:
  size_t drawing() const;  // its position among the sheet's drawings; raises when deleted
  const model::DrawingObject& get() const { return sheet_.get().drawings[drawing()]; }
  void place(const layout::PointRect& rect);
  SheetHandle sheet_;
  int object_;
};

// The instance's active chart: the chart of the active chart sheet, else the chart object
// activated last on the active sheet; nullptr (Nothing) when cells or a shape were selected since.
std::shared_ptr<Chart> active_chart(const std::shared_ptr<Application>& app);

}  // namespace tabrel::xl
