#pragma once
// Builds token bytes by hand for decoder and printer tests.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tabrel::formula::testing {

struct Tokens {
  std::vector<uint8_t> bytes;
  Tokens& u8(uint8_t v) { bytes.push_back(v); return *this; }
  Tokens& u16(uint16_t v) { bytes.push_back(static_cast<uint8_t>(v)); bytes.push_back(static_cast<uint8_t>(v >> 8)); return *this; }
  Tokens& num(double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, 8);
    u8(0x1F);
    for (int i = 0; i < 8; ++i) u8(static_cast<uint8_t>(bits >> (8 * i)));
    return *this;
  }
  Tokens& integer(uint16_t v) { return u8(0x1E).u16(v); }
  Tokens& str(const std::string& s) {
    u8(0x17).u8(static_cast<uint8_t>(s.size())).u8(0);
    for (char c : s) u8(static_cast<uint8_t>(c));
    return *this;
  }
  // PtgRefV with relative flags.
  Tokens& ref(int row, int col, bool row_rel = true, bool col_rel = true, uint8_t id = 0x44) {
    return u8(id).u16(static_cast<uint16_t>(row)).u16(static_cast<uint16_t>(col | (col_rel ? 0x4000 : 0) | (row_rel ? 0x8000 : 0)));
  }
  Tokens& area(int r1, int c1, int r2, int c2, bool rel = true, uint8_t id = 0x25) {
    uint16_t f = rel ? 0xC000 : 0;
    return u8(id).u16(static_cast<uint16_t>(r1)).u16(static_cast<uint16_t>(r2))
        .u16(static_cast<uint16_t>(c1 | f)).u16(static_cast<uint16_t>(c2 | f));
  }
  Tokens& func(uint16_t index, uint8_t id = 0x41) { return u8(id).u16(index); }
  Tokens& funcvar(uint16_t index, uint8_t args, uint8_t id = 0x42) { return u8(id).u8(args).u16(index); }
  Tokens& space(uint8_t where, uint8_t count) { return u8(0x19).u8(0x40).u8(where).u8(count); }
};

}  // namespace tabrel::formula::testing
