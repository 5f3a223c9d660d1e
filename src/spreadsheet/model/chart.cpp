#include "spreadsheet/model/chart.h"

namespace tabrel::model {

const DataFormat* Series::series_format() const { return point_format(DataFormat::kWholeSeries); }

const DataFormat* Series::point_format(uint16_t point) const {
  for (const DataFormat& f : formats)
    if (f.point == point) return &f;
  return nullptr;
}

bool ChartGroup::stacked() const {
  switch (kind) {
    case ChartGroupKind::Bar: return (flags & 0x02) != 0;
    case ChartGroupKind::Line:
    case ChartGroupKind::Area: return (flags & 0x01) != 0;
    default: return false;
  }
}

bool ChartGroup::percent() const {
  switch (kind) {
    case ChartGroupKind::Bar: return (flags & 0x04) != 0;
    case ChartGroupKind::Line:
    case ChartGroupKind::Area: return (flags & 0x02) != 0;
    default: return false;
  }
}

const ChartGroup* Chart::group(uint16_t order) const {
  for (const ChartGroup& g : groups)
    if (g.order == order) return &g;
  return nullptr;
}

const Axis* Chart::axis(uint16_t type, uint16_t group) const {
  for (const Axis& a : axes)
    if (a.type == type && a.group == group) return &a;
  return nullptr;
}

const ChartText* Chart::text(uint16_t linked_to, uint16_t series, uint16_t point) const {
  for (const ChartText& t : texts) {
    if (t.linked_to != linked_to) continue;
    if (linked_to == 4 && (t.series != series || t.point != point)) continue;
    return &t;
  }
  return nullptr;
}

const ChartText* Chart::axis_title(uint16_t type, uint16_t group) const {
  const uint16_t link = type == 0 ? 3 : type == 1 ? 2 : 7;
  for (const ChartText& t : texts)
    if (t.linked_to == link && t.axis_group == group) return &t;
  return nullptr;
}

std::vector<const Series*> Chart::plotted_series() const {
  std::vector<const Series*> out;
  for (const Series& s : series)
    if (!s.auxiliary) out.push_back(&s);
  return out;
}

}  // namespace tabrel::model
