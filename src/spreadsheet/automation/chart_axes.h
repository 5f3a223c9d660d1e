#pragma once
// An axis of a chart: its scale (automatic parts computed from the plotted data), crossing,
// order, gridlines and title.

#include <memory>

#include "spreadsheet/automation/chart.h"
#include "spreadsheet/automation/chart_parts.h"
#include "spreadsheet/charts/axis_scale.h"
#include "spreadsheet/charts/chart_build.h"

namespace tabrel::xl {

class Axis : public Dispatch {
 public:
  // `type` and `group` as the file keeps them: type 0 category, 1 value, 2 series; group 0
  // primary, 1 secondary.
  Axis(ChartHandle chart, uint16_t type, uint16_t group) : chart_(std::move(chart)), type_(type), group_(group) {}
  std::u16string type_name() const override { return u"Axis"; }

  // Scales exist on value axes (and the category axis of an XY chart); others raise.
  double MinimumScale() const;
  double MaximumScale() const;
  double MajorUnit() const;
  double MinorUnit() const;
  bool MinimumScaleIsAuto() const;
  bool MaximumScaleIsAuto() const;
  bool MajorUnitIsAuto() const;
  bool MinorUnitIsAuto() const;
  // Setting a part fixes it; setting its IsAuto to False fixes it where it stands now. A
  // minimum not below a fixed maximum (and the other way round), a unit not above zero and a
  // bound not above zero on a logarithmic axis raise 1004, as does an axis without a scale.
  void SetMinimumScale(double v);
  void SetMaximumScale(double v);
  void SetMajorUnit(double v);
  void SetMinorUnit(double v);
  void SetMinimumScaleIsAuto(bool automatic);
  void SetMaximumScaleIsAuto(bool automatic);
  void SetMajorUnitIsAuto(bool automatic);
  void SetMinorUnitIsAuto(bool automatic);
  bool ReversePlotOrder() const;
  // xlAxisCrossesAutomatic -4105, xlAxisCrossesCustom -4114, xlAxisCrossesMaximum 2.
  int Crosses() const;
  bool HasMajorGridlines() const;
  bool HasMinorGridlines() const;
  void SetHasMajorGridlines(bool has);
  void SetHasMinorGridlines(bool has);
  bool HasTitle() const;
  std::shared_ptr<ChartTitle> AxisTitle() const;  // raises without a title
  void SetHasTitle(bool has);

 private:
  static uint16_t title_link(uint16_t type);  // the title's ObjectLink kind
  const model::Axis& get() const;
  charts::Scale scale() const;
  const model::ValueScale& value_scale() const;
  void fix(charts::ScalePart part, std::optional<double> value);
  ChartHandle chart_;
  uint16_t type_, group_;
};

}  // namespace tabrel::xl
