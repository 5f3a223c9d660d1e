#pragma once
// Little-endian integers at a byte offset. Callers check bounds before reading.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tabrel::cfb {

inline uint16_t load_u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t load_u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline uint64_t load_u64(const uint8_t* p) {
  return static_cast<uint64_t>(load_u32(p)) | (static_cast<uint64_t>(load_u32(p + 4)) << 32);
}

inline void store_u16(std::vector<uint8_t>& out, size_t at, uint16_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}

inline void store_u32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

inline void store_u64(std::vector<uint8_t>& out, size_t at, uint64_t v) {
  store_u32(out, at, static_cast<uint32_t>(v));
  store_u32(out, at + 4, static_cast<uint32_t>(v >> 32));
}

}  // namespace tabrel::cfb
