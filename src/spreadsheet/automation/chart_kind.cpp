#include "spreadsheet/automation/chart_kind.h"

namespace tabrel::xl {
namespace {

constexpr int kArea = 1, kBar = 2, kColumn = 3, kLine = 4, kPie = 5;
constexpr int k3DArea = -4098, k3DBar = -4099, k3DColumn = -4100, k3DLine = -4101, k3DPie = -4102,
              k3DSurface = -4103, kDoughnut = -4120, kRadar = -4151, kScatter = -4169;

}  // namespace

int chart_type_number(const model::ChartData& chart) {
  const model::ChartSummary& s = chart.summary;
  switch (s.first_group) {
    case model::ChartGroupKind::Bar:
      if (s.three_d) return s.transposed ? k3DBar : k3DColumn;
      return s.transposed ? kBar : kColumn;
    case model::ChartGroupKind::Line: return s.three_d ? k3DLine : kLine;
    case model::ChartGroupKind::Area: return s.three_d ? k3DArea : kArea;
    case model::ChartGroupKind::Pie: return s.has_hole ? kDoughnut : s.three_d ? k3DPie : kPie;
    case model::ChartGroupKind::BarOfPie: return kPie;
    case model::ChartGroupKind::Scatter: return kScatter;
    case model::ChartGroupKind::Radar:
    case model::ChartGroupKind::RadarArea: return kRadar;
    case model::ChartGroupKind::Surface: return k3DSurface;
    case model::ChartGroupKind::None: break;
  }
  return kColumn;  // a chart sheet whose groups were not read shows the default column chart
}

}  // namespace tabrel::xl
