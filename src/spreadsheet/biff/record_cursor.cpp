#include "spreadsheet/biff/record_cursor.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "spreadsheet/biff/format_error.h"

namespace tabrel::biff {

RecordCursor::RecordCursor(const Record& record) : record_(record), data_(record.data) {}

void RecordCursor::need(size_t count) const {
  if (count > remaining()) {
    fail("record ends " + std::to_string(remaining()) + " bytes after position " + std::to_string(pos_) +
         ", a field needs " + std::to_string(count));
  }
}

void RecordCursor::seek(size_t position) {
  if (position > data_.size()) fail("position " + std::to_string(position) + " past the end of the record");
  pos_ = position;
}

uint8_t RecordCursor::u8() {
  need(1);
  return data_[pos_++];
}

uint16_t RecordCursor::u16() {
  need(2);
  uint16_t v = static_cast<uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
  pos_ += 2;
  return v;
}

uint32_t RecordCursor::u32() {
  need(4);
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | data_[pos_ + static_cast<size_t>(i)];
  pos_ += 4;
  return v;
}

double RecordCursor::f64() {
  need(8);
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = bits << 8 | data_[pos_ + static_cast<size_t>(i)];
  pos_ += 8;
  return std::bit_cast<double>(bits);
}

std::span<const uint8_t> RecordCursor::bytes(size_t count) {
  need(count);
  auto out = data_.subspan(pos_, count);
  pos_ += count;
  return out;
}

size_t RecordCursor::until_boundary() const {
  auto it = std::upper_bound(record_.boundaries.begin(), record_.boundaries.end(), pos_);
  size_t end = it == record_.boundaries.end() ? data_.size() : *it;
  return end - pos_;
}

std::u16string RecordCursor::chars(size_t count, bool wide) {
  std::u16string out;
  out.reserve(std::min(count, remaining()));
  while (out.size() < count) {
    if (std::binary_search(record_.boundaries.begin(), record_.boundaries.end(), pos_)) wide = (u8() & 0x01) != 0;
    size_t width = wide ? 2 : 1;
    size_t n = std::min(count - out.size(), until_boundary() / width);
    if (n == 0) fail("string characters run past the end of the record");
    for (size_t i = 0; i < n; ++i) {
      out.push_back(wide ? static_cast<char16_t>(data_[pos_] | data_[pos_ + 1] << 8) : static_cast<char16_t>(data_[pos_]));
      pos_ += width;
    }
  }
  return out;
}

uint64_t RecordCursor::stream_offset() const {
  auto it = std::upper_bound(record_.boundaries.begin(), record_.boundaries.end(), pos_);
  if (it == record_.boundaries.begin()) return record_.offset + 4 + pos_;
  size_t k = static_cast<size_t>(it - record_.boundaries.begin()) - 1;
  uint64_t header = k < record_.continue_offsets.size() ? record_.continue_offsets[k] : record_.offset;
  return header + 4 + (pos_ - record_.boundaries[k]);
}

void RecordCursor::fail(const std::string& what) const { throw FormatError(stream_offset(), what); }

}  // namespace tabrel::biff
