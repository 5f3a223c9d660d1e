#include "spreadsheet/cfb/sibling_tree.h"

#include <bit>

#include "spreadsheet/cfb/format.h"

namespace tabrel::cfb {
namespace {

// Splitting at the middle fills every level but the deepest, so colouring the deepest level
// red (when it is not full) gives every path the same number of black entries.
struct Builder {
  const std::vector<uint32_t>& sorted;
  std::vector<SiblingLinks>& links;
  int deepest;
  bool last_level_full;

  uint32_t build(size_t lo, size_t hi, int depth) {
    if (lo >= hi) return kNoStream;
    const size_t mid = lo + (hi - lo) / 2;
    const uint32_t index = sorted[mid];
    const bool red = depth == deepest && !last_level_full;
    const uint32_t left = build(lo, mid, depth + 1);
    const uint32_t right = build(mid + 1, hi, depth + 1);
    links[index] = {left, right, red ? kColorRed : kColorBlack};
    return index;
  }
};

}  // namespace

uint32_t build_sibling_tree(const std::vector<uint32_t>& sorted, std::vector<SiblingLinks>& links) {
  const size_t count = sorted.size();
  if (count == 0) return kNoStream;
  const int deepest = std::bit_width(count) - 1;
  Builder builder{sorted, links, deepest, std::has_single_bit(count + 1)};
  return builder.build(0, count, 0);
}

}  // namespace tabrel::cfb
