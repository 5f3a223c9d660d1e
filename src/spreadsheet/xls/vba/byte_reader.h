#pragma once
// Reading little-endian fields of a macro-project stream with every length checked.

#include <cstdint>
#include <span>
#include <string>

#include "spreadsheet/xls/vba/project_error.h"

namespace tabrel::xls::vba {

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t position() const { return pos_; }
  bool at_end() const { return pos_ >= bytes_.size(); }
  size_t left() const { return bytes_.size() - pos_; }

  uint16_t u16() {
    need(2, "a 16-bit field");
    const uint16_t v = static_cast<uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  uint32_t u32() {
    const uint32_t low = u16();
    return low | (static_cast<uint32_t>(u16()) << 16);
  }
  uint16_t peek_u16() const {
    if (left() < 2) throw ProjectError(pos_, "stream ends inside a record id");
    return static_cast<uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
  }
  std::span<const uint8_t> bytes(size_t count) {
    need(count, "a field of " + std::to_string(count) + " bytes");
    const auto out = bytes_.subspan(pos_, count);
    pos_ += count;
    return out;
  }
  void skip(size_t count) { bytes(count); }

 private:
  void need(size_t count, const std::string& what) const {
    if (left() < count) throw ProjectError(pos_, "stream ends inside " + what);
  }

  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
};

}  // namespace tabrel::xls::vba
