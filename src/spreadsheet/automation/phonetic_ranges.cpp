#include "spreadsheet/automation/phonetic_ranges.h"

#include "spreadsheet/ops/range_math.h"

namespace tabrel::xl {
namespace {

constexpr size_t kHeaderSize = 4;   // font index, type and alignment
constexpr size_t kCountSize = 2;
constexpr size_t kRangeSize = 8;    // first row, last row, first column, last column
constexpr uint16_t kDefaultType = 0x0031;  // full-width katakana, no alignment control

uint16_t word(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

void put_word(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v & 0xFF));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace

std::vector<model::RangeRef> phonetic_ranges(const std::vector<uint8_t>& settings) {
  if (settings.size() < kHeaderSize + kCountSize) return {};
  const size_t count = word(settings, kHeaderSize);
  if (settings.size() < kHeaderSize + kCountSize + count * kRangeSize) return {};
  std::vector<model::RangeRef> ranges;
  for (size_t i = 0; i < count; ++i) {
    const size_t at = kHeaderSize + kCountSize + i * kRangeSize;
    const int r1 = word(settings, at), r2 = word(settings, at + 2);
    const int c1 = word(settings, at + 4), c2 = word(settings, at + 6);
    if (r2 < r1 || c2 < c1 || c2 >= model::kMaxColumns) continue;
    ranges.push_back({{r1, c1}, {r2, c2}});
  }
  return ranges;
}

std::vector<uint8_t> with_phonetic_range(const std::vector<uint8_t>& settings, const model::RangeRef& area, bool shown) {
  std::vector<model::RangeRef> ranges;
  for (const auto& r : phonetic_ranges(settings)) {
    auto parts = ops::subtract(r, area);
    ranges.insert(ranges.end(), parts.begin(), parts.end());
  }
  if (shown) ranges.push_back(area);
  std::vector<uint8_t> out;
  if (settings.size() >= kHeaderSize) {
    out.assign(settings.begin(), settings.begin() + kHeaderSize);
  } else {
    put_word(out, 0);
    put_word(out, kDefaultType);
  }
  put_word(out, static_cast<uint16_t>(ranges.size()));
  for (const auto& r : ranges) {
    put_word(out, static_cast<uint16_t>(r.first.row));
    put_word(out, static_cast<uint16_t>(r.last.row));
    put_word(out, static_cast<uint16_t>(r.first.col));
    put_word(out, static_cast<uint16_t>(r.last.col));
  }
  return out;
}

}  // namespace tabrel::xl
