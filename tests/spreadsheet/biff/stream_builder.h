#pragma once
// Test helper: a workbook stream assembled from (type, payload) records.

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace tabrel::biff::testing {

inline void append_record(std::vector<uint8_t>& stream, uint16_t type, const std::vector<uint8_t>& payload) {
  stream.push_back(static_cast<uint8_t>(type));
  stream.push_back(static_cast<uint8_t>(type >> 8));
  stream.push_back(static_cast<uint8_t>(payload.size()));
  stream.push_back(static_cast<uint8_t>(payload.size() >> 8));
  stream.insert(stream.end(), payload.begin(), payload.end());
}

struct RawRecord {
  uint16_t type;
  std::vector<uint8_t> payload;
};

inline std::vector<uint8_t> make_stream(std::initializer_list<RawRecord> records) {
  std::vector<uint8_t> out;
  for (const RawRecord& r : records) append_record(out, r.type, r.payload);
  return out;
}

}  // namespace tabrel::biff::testing
