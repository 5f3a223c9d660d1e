#include "spreadsheet/automation/shape_properties.h"

#include <array>
#include <map>

namespace tabrel::xl {
namespace {

constexpr size_t kHeaderSize = 8;
constexpr uint16_t kContainerVersion = 0xF;
constexpr uint16_t kOptionsRecord = 0xF00B;      // FOPT
constexpr uint16_t kTertiaryOptions = 0xF122;    // tertiary FOPT
constexpr uint16_t kFirstAdjustment = 0x0147;    // adjustValue; adjust2Value .. adjust8Value follow
constexpr int kAdjustmentCount = 8;
constexpr size_t kPropertySize = 6;
constexpr int kMaxDepth = 16;

uint16_t u16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }
uint32_t u32(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
         (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// Collects adjustment properties from the option records in `records`, walking containers.
void collect(std::span<const uint8_t> records, std::map<int, int32_t>& found, int depth) {
  if (depth > kMaxDepth) return;
  size_t at = 0;
  while (at + kHeaderSize <= records.size()) {
    const uint16_t ver_inst = u16(records, at);
    const uint16_t type = u16(records, at + 2);
    const uint32_t length = u32(records, at + 4);
    if (length > records.size() - at - kHeaderSize) return;
    const auto body = records.subspan(at + kHeaderSize, length);
    if ((ver_inst & 0xF) == kContainerVersion) {
      collect(body, found, depth + 1);
    } else if (type == kOptionsRecord || type == kTertiaryOptions) {
      const size_t count = ver_inst >> 4;
      for (size_t i = 0; i < count && (i + 1) * kPropertySize <= body.size(); ++i) {
        const uint16_t id = u16(body, i * kPropertySize) & 0x3FFF;
        if (id >= kFirstAdjustment && id < kFirstAdjustment + kAdjustmentCount)
          found[id - kFirstAdjustment] = static_cast<int32_t>(u32(body, i * kPropertySize + 2));
      }
    }
    at += kHeaderSize + length;
  }
}

// Default first adjustment of shape types that have one.
constexpr std::array<std::pair<uint16_t, int32_t>, 6> kDefaults = {{
    {2, 3600},    // rounded rectangle
    {7, 5400},    // parallelogram
    {8, 5400},    // trapezoid
    {9, 5400},    // hexagon
    {10, 6326},   // octagon
    {22, 5400},   // can
}};

}  // namespace

std::vector<int32_t> shape_adjustments(std::span<const uint8_t> shape_records, uint16_t shape_type) {
  std::map<int, int32_t> found;
  collect(shape_records, found, 0);
  for (const auto& [type, value] : kDefaults)
    if (type == shape_type && !found.contains(0)) found[0] = value;
  std::vector<int32_t> values;
  for (int i = 0; found.contains(i); ++i) values.push_back(found[i]);
  return values;
}

}  // namespace tabrel::xl
