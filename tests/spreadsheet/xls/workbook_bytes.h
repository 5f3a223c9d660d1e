#pragma once
// Byte-level fixtures for the reader: payloads written field by field, record streams with the
// sheets' stream positions patched in, and the compound file around them.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/cfb/compound_writer.h"

namespace tabrel::xls_test {

class Bytes {
 public:
  Bytes& u8(uint8_t v) { b_.push_back(v); return *this; }
  Bytes& u16(uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
  Bytes& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  Bytes& f64(double d) {
    uint64_t raw;
    std::memcpy(&raw, &d, 8);
    return u32(static_cast<uint32_t>(raw)).u32(static_cast<uint32_t>(raw >> 32));
  }
  Bytes& raw(const std::vector<uint8_t>& v) { b_.insert(b_.end(), v.begin(), v.end()); return *this; }
  Bytes& zeros(size_t n) { b_.insert(b_.end(), n, 0); return *this; }
  // Characters after a flag byte: 8-bit when every one fits, else 16-bit.
  Bytes& chars(std::u16string_view s) {
    bool wide = false;
    for (char16_t ch : s) wide |= ch > 0xFF;
    u8(wide ? 1 : 0);
    for (char16_t ch : s) wide ? u16(ch) : u8(static_cast<uint8_t>(ch));
    return *this;
  }
  Bytes& string16(std::u16string_view s) { return u16(static_cast<uint16_t>(s.size())).chars(s); }  // XLUnicodeString
  Bytes& string8(std::u16string_view s) { return u8(static_cast<uint8_t>(s.size())).chars(s); }    // ShortXLUnicodeString
  const std::vector<uint8_t>& data() const { return b_; }
  operator const std::vector<uint8_t>&() const { return b_; }

 private:
  std::vector<uint8_t> b_;
};

class RecordStream {
 public:
  // Writes a record; returns the stream offset of its header.
  size_t record(uint16_t type, const std::vector<uint8_t>& payload) {
    const size_t at = s_.size();
    Bytes h;
    h.u16(type).u16(static_cast<uint16_t>(payload.size()));
    s_.insert(s_.end(), h.data().begin(), h.data().end());
    s_.insert(s_.end(), payload.begin(), payload.end());
    return at;
  }
  void patch_u32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s_[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  size_t position() const { return s_.size(); }
  std::vector<uint8_t>& data() { return s_; }

 private:
  std::vector<uint8_t> s_;
};

inline std::vector<uint8_t> bof(uint16_t kind, uint16_t version = 0x0600) {
  return Bytes().u16(version).u16(kind).u16(0x0DBB).u16(0x07CC).u32(0).u32(0x0006);
}

// A BOUNDSHEET whose stream position is patched later: 4 + 4 bytes into the record.
inline std::vector<uint8_t> boundsheet(std::u16string_view name, uint8_t state = 0, uint8_t type = 0) {
  return Bytes().u32(0).u8(state).u8(type).string8(name);
}

inline std::vector<uint8_t> compound_file(const std::vector<uint8_t>& stream, std::u16string_view name = u"Workbook",
                                          cfb::SectorSize sectors = cfb::SectorSize::Bytes512) {
  cfb::CompoundWriter w;
  w.add_stream(name, stream);
  return w.finish(sectors);
}

}  // namespace tabrel::xls_test
