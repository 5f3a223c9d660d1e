#pragma once
// The chart area: the frame around the whole chart. The Korean spreadsheet names it
// "차트 영역".

#include <memory>
#include <string>

#include "spreadsheet/automation/chart.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class ChartColor;

class ChartArea : public Dispatch {
 public:
  explicit ChartArea(ChartHandle chart);
  std::u16string type_name() const override { return u"ChartArea"; }

  // Raises once the chart's sheet is deleted or its workbook closed.
  std::u16string Name() const;
  // Whether the chart's fonts scale with the chart. A file of this format keeps font-scaling
  // records (Fbi) for the chart's fonts when they scale; a chart without them does not scale,
  // which is what AutoScaleFont reads as False.
  bool AutoScaleFont() const;
  void SetAutoScaleFont(bool scale);
  bool Shadow() const;
  void SetShadow(bool shadow);
  std::shared_ptr<ChartColor> Interior() const;
  std::shared_ptr<ChartColor> Border() const;

 private:
  ChartHandle chart_;
};

}  // namespace tabrel::xl
