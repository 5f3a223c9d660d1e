#pragma once
// Following a chain of sectors (or mini sectors) through an allocation table, with every id
// checked: out of range, special markers, a sector visited twice, a chain too short or too long.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tabrel::cfb {

struct ChainRequest {
  std::string_view what;               // "stream \"Workbook\"", "the directory"
  std::string_view unit = "sector";    // "sector" or "mini sector"
  uint64_t needed = 0;                 // sectors the size needs; ignored when to_end
  bool to_end = false;                 // follow the chain to its end marker
  bool exact = false;                  // the chain must end right after `needed` sectors
};

// The ids of the chain from `start`. A chain of no sectors starts with the end-of-chain marker.
std::vector<uint32_t> follow_chain(std::span<const uint32_t> table, uint32_t start,
                                   const ChainRequest& request);

// Sectors of `unit_size` bytes that `size` bytes fill.
uint64_t sectors_for(uint64_t size, uint32_t unit_size);

}  // namespace tabrel::cfb
