#pragma once
// Bounds-checked little-endian reading of token bytes.

#include <cstdint>
#include <span>

#include "spreadsheet/formula/formula_error.h"

namespace tabrel::formula {

class ByteCursor {
 public:
  explicit ByteCursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  size_t offset() const { return pos_; }
  bool at_end() const { return pos_ >= bytes_.size(); }
  size_t remaining() const { return bytes_.size() - pos_; }

  void need(size_t n) const {
    if (remaining() < n) throw FormulaError(FormulaError::Kind::Truncated, pos_, "formula data ends early");
  }
  uint8_t u8() { need(1); return bytes_[pos_++]; }
  uint16_t u16() { need(2); uint16_t v = static_cast<uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8)); pos_ += 2; return v; }
  double f64();
  void skip(size_t n) { need(n); pos_ += n; }
  std::span<const uint8_t> take(size_t n) { need(n); auto s = bytes_.subspan(pos_, n); pos_ += n; return s; }

 private:
  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
};

}  // namespace tabrel::formula
