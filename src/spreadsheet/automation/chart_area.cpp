#include "spreadsheet/automation/chart_area.h"

#include "spreadsheet/automation/chart_parts.h"

namespace tabrel::xl {

ChartArea::ChartArea(ChartHandle chart) : chart_(std::move(chart)) {}

std::u16string ChartArea::Name() const {
  chart_.sheet.get();
  return u"차트 영역";
}

bool ChartArea::AutoScaleFont() const { return chart_.chart().scaled_fonts; }

bool ChartArea::Shadow() const { return chart_.chart().area.shadow(); }

std::shared_ptr<ChartColor> ChartArea::Interior() const {
  return std::make_shared<ChartColor>(u"Interior", fill_color_index(chart_.chart().area.area));
}

std::shared_ptr<ChartColor> ChartArea::Border() const {
  return std::make_shared<ChartColor>(u"Border", line_color_index(chart_.chart().area.line));
}

void ChartArea::SetAutoScaleFont(bool scale) { chart_.edit().scaled_fonts = scale; }
void ChartArea::SetShadow(bool shadow) { chart_.edit().area.type = shadow ? 4 : 0; }

}  // namespace tabrel::xl
