#include "spreadsheet/automation/chart_area.h"

namespace tabrel::xl {

ChartArea::ChartArea(SheetHandle sheet) : sheet_(std::move(sheet)) {}

std::u16string ChartArea::Name() const {
  sheet_.get();
  return u"차트 영역";
}

}  // namespace tabrel::xl
