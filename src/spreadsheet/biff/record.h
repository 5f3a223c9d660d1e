#pragma once
// One logical record: its type, where it starts in the stream, and its payload with the payloads
// of the CONTINUE records that followed it appended. The boundaries are kept because strings
// that cross into a CONTINUE start again with a flag byte there.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tabrel::biff {

struct Record {
  uint16_t type = 0;
  uint64_t offset = 0;             // stream offset of the record's header
  std::vector<uint8_t> data;       // payload, CONTINUE payloads appended, decrypted
  std::vector<size_t> boundaries;  // positions in data where a CONTINUE payload begins, ascending
  std::vector<uint64_t> continue_offsets;  // stream offset of each CONTINUE header (same order)
};

}  // namespace tabrel::biff
