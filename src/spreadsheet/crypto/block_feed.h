#pragma once
// The 64-byte block buffering and the length padding that MD5 and SHA-1 share.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>

namespace tabrel::crypto::detail {

// Feeds data through a 64-byte buffer, calling block(pointer) for every full block.
template <class BlockFn>
void feed_blocks(std::array<uint8_t, 64>& buffer, uint64_t& length, std::span<const uint8_t> data,
                 BlockFn&& block) {
  size_t used = length % 64;
  length += data.size();
  size_t i = 0;
  if (used > 0) {
    size_t take = std::min(data.size(), 64 - used);
    std::memcpy(buffer.data() + used, data.data(), take);
    i = take;
    if (used + take < 64) return;
    block(buffer.data());
  }
  for (; i + 64 <= data.size(); i += 64) block(data.data() + i);
  if (i < data.size()) std::memcpy(buffer.data(), data.data() + i, data.size() - i);
}

// The final padding: 0x80, zeros, then the message length in bits (little- or big-endian).
struct Padding {
  std::array<uint8_t, 72> bytes{};
  size_t size = 0;
};
inline Padding length_padding(uint64_t length, bool big_endian) {
  Padding p;
  p.bytes[0] = 0x80;
  size_t used = length % 64;
  size_t zeros_end = used < 56 ? 56 - used : 120 - used;
  uint64_t bits = length * 8;
  for (int i = 0; i < 8; ++i) {
    int shift = big_endian ? 56 - 8 * i : 8 * i;
    p.bytes[zeros_end + i] = static_cast<uint8_t>(bits >> shift);
  }
  p.size = zeros_end + 8;
  return p;
}

}  // namespace tabrel::crypto::detail
