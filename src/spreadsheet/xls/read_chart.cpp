#include "spreadsheet/xls/read_chart.h"

#include "spreadsheet/biff/records.h"

namespace tabrel::xls {
namespace {

uint16_t u16_at(const model::RawRecord& rec, size_t offset) {
  if (rec.payload.size() < offset + 2) return 0;
  return static_cast<uint16_t>(rec.payload[offset] | rec.payload[offset + 1] << 8);
}

model::ChartGroupKind group_kind(uint16_t id) {
  using K = model::ChartGroupKind;
  switch (id) {
    case biff::rt::Bar: return K::Bar;
    case biff::rt::Line: return K::Line;
    case biff::rt::Pie: return K::Pie;
    case biff::rt::Area: return K::Area;
    case biff::rt::Scatter: return K::Scatter;
    case biff::rt::Radar: return K::Radar;
    case biff::rt::RadarArea: return K::RadarArea;
    case biff::rt::Surf: return K::Surface;
    case biff::rt::BopPop: return K::BarOfPie;
    default: return K::None;
  }
}

}  // namespace

model::ChartSummary summarize_chart(std::span<const model::RawRecord> records) {
  model::ChartSummary summary;
  for (const model::RawRecord& rec : records) {
    if (rec.id == biff::rt::Chart3d) summary.three_d = true;
    const model::ChartGroupKind kind = group_kind(rec.id);
    if (kind == model::ChartGroupKind::None || summary.first_group != model::ChartGroupKind::None) continue;
    summary.first_group = kind;
    // BAR: overlap, gap, then flags whose bit 0 (fTranspose) lays the bars horizontally.
    if (kind == model::ChartGroupKind::Bar) summary.transposed = (u16_at(rec, 4) & 1) != 0;
    // PIE: start angle, then the size of the hole in percent of the radius.
    if (kind == model::ChartGroupKind::Pie) summary.has_hole = u16_at(rec, 2) != 0;
  }
  return summary;
}

}  // namespace tabrel::xls
