#pragma once
// Reads the fields of one logical record with bounds checks. Reading runs straight over
// CONTINUE boundaries, except for string characters: where they cross a boundary, the next
// payload starts with a new flag byte that says whether the rest is 8- or 16-bit.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "spreadsheet/biff/record.h"

namespace tabrel::biff {

class RecordCursor {
 public:
  // The record must outlive the cursor.
  explicit RecordCursor(const Record& record);

  size_t position() const { return pos_; }
  size_t remaining() const { return data_.size() - pos_; }
  bool at_end() const { return pos_ == data_.size(); }
  void seek(size_t position);  // FormatError past the end

  uint8_t u8();
  uint16_t u16();
  uint32_t u32();
  int32_t i32() { return static_cast<int32_t>(u32()); }
  double f64();
  std::span<const uint8_t> bytes(size_t count);
  void skip(size_t count) { bytes(count); }

  // Reads `count` characters, 16-bit when `wide`. At every CONTINUE boundary met before the
  // last character (including one right at the start) a flag byte is read first.
  std::u16string chars(size_t count, bool wide);

  // Bytes left before the next CONTINUE boundary (or the end of the record).
  size_t until_boundary() const;

  // The stream offset of the current position, for error messages.
  uint64_t stream_offset() const;

  [[noreturn]] void fail(const std::string& what) const;

 private:
  void need(size_t count) const;

  const Record& record_;
  std::span<const uint8_t> data_;
  size_t pos_ = 0;
};

}  // namespace tabrel::biff
