#include "spreadsheet/automation/chart_kind.h"

#include <algorithm>

#include "spreadsheet/biff/records.h"

namespace tabrel::xl {
namespace {

constexpr int kArea = 1, kBar = 2, kColumn = 3, kLine = 4, kPie = 5;
constexpr int k3DArea = -4098, k3DBar = -4099, k3DColumn = -4100, k3DLine = -4101, k3DPie = -4102,
              k3DSurface = -4103, kDoughnut = -4120, kRadar = -4151, kScatter = -4169;

uint16_t u16_at(const model::RawRecord& rec, size_t offset) {
  if (rec.payload.size() < offset + 2) return 0;
  return static_cast<uint16_t>(rec.payload[offset] | rec.payload[offset + 1] << 8);
}

}  // namespace

int chart_type_number(const model::ChartData& chart) {
  namespace rt = biff::rt;
  const auto& records = chart.records;
  const bool three_d = std::any_of(records.begin(), records.end(),
                                   [](const model::RawRecord& r) { return r.id == rt::Chart3d; });
  for (const model::RawRecord& rec : records) {
    switch (rec.id) {
      case rt::Bar: {
        const bool horizontal = (u16_at(rec, 4) & 1) != 0;  // fTranspose after the overlap and gap
        if (three_d) return horizontal ? k3DBar : k3DColumn;
        return horizontal ? kBar : kColumn;
      }
      case rt::Line: return three_d ? k3DLine : kLine;
      case rt::Area: return three_d ? k3DArea : kArea;
      case rt::Pie: return u16_at(rec, 2) != 0 ? kDoughnut : three_d ? k3DPie : kPie;
      case rt::BopPop: return kPie;
      case rt::Scatter: return kScatter;
      case rt::Radar: case rt::RadarArea: return kRadar;
      case rt::Surf: return k3DSurface;
      default: break;
    }
  }
  return kColumn;  // a chart sheet whose groups were not read shows the default column chart
}

}  // namespace tabrel::xl
