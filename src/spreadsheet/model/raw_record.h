#pragma once
// A record the model does not interpret (yet): kept with its id and payload (CONTINUE records
// already joined, with their boundaries) so that later readers and the writer can use it.

#include <cstdint>
#include <vector>

namespace tabrel::model {

struct RawRecord {
  uint16_t id = 0;
  std::vector<uint8_t> payload;
  std::vector<uint32_t> continue_offsets;  // payload offsets where a CONTINUE record began
  friend bool operator==(const RawRecord&, const RawRecord&) = default;
};

}  // namespace tabrel::model
