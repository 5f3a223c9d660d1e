#pragma once
// The chart area of a chart sheet: the frame around the whole chart. The Korean spreadsheet
// names it "차트 영역".

#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class ChartArea : public Dispatch {
 public:
  explicit ChartArea(SheetHandle sheet);
  std::u16string type_name() const override { return u"ChartArea"; }

  // Raises once the chart sheet is deleted or its workbook closed.
  std::u16string Name() const;

 private:
  SheetHandle sheet_;
};

}  // namespace tabrel::xl
