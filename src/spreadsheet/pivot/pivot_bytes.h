#pragma once
// Little-endian payload bytes of the pivot records this module writes.

#include <cstdint>
#include <string>
#include <vector>

#include "spreadsheet/model/raw_record.h"

namespace tabrel::pivot {

class PivotBytes {
 public:
  void u8(uint8_t v) { bytes_.push_back(v); }
  void u16(uint16_t v) {
    u8(static_cast<uint8_t>(v & 0xFF));
    u8(static_cast<uint8_t>(v >> 8));
  }
  void u32(uint32_t v) {
    u16(static_cast<uint16_t>(v & 0xFFFF));
    u16(static_cast<uint16_t>(v >> 16));
  }
  void f64(double v);
  // The characters after a flag byte: one byte each when every character fits, else two.
  void chars(std::u16string_view text);
  // A count of characters, then `chars`.
  void counted(std::u16string_view text) {
    u16(static_cast<uint16_t>(text.size()));
    chars(text);
  }
  std::vector<uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

bool is_narrow(std::u16string_view text);

// A record of type `id` holding `payload`.
model::RawRecord raw(uint16_t id, std::vector<uint8_t> payload);

}  // namespace tabrel::pivot
