#include "spreadsheet/pivot/pivot_bytes.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tabrel::pivot {

bool is_narrow(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= 0xFF; });
}

void PivotBytes::f64(double v) {
  uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  u32(static_cast<uint32_t>(bits & 0xFFFFFFFFu));
  u32(static_cast<uint32_t>(bits >> 32));
}

void PivotBytes::chars(std::u16string_view text) {
  const bool narrow = is_narrow(text);
  u8(narrow ? 0 : 1);
  for (char16_t c : text) {
    if (narrow) u8(static_cast<uint8_t>(c));
    else u16(c);
  }
}

model::RawRecord raw(uint16_t id, std::vector<uint8_t> payload) {
  model::RawRecord r;
  r.id = id;
  r.payload = std::move(payload);
  return r;
}

}  // namespace tabrel::pivot
