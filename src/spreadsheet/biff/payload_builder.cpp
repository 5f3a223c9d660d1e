#include "spreadsheet/biff/payload_builder.h"

#include <bit>

namespace tabrel::biff {

std::vector<uint8_t>& PayloadBuilder::fixed_tail() {
  if (!open_fixed_) {
    pieces_.emplace_back();
    open_fixed_ = true;
  }
  return pieces_.back().bytes;
}

void PayloadBuilder::u8(uint8_t v) { fixed_tail().push_back(v); }

void PayloadBuilder::u16(uint16_t v) {
  auto& b = fixed_tail();
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

void PayloadBuilder::u32(uint32_t v) {
  auto& b = fixed_tail();
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PayloadBuilder::f64(double v) {
  uint64_t bits = std::bit_cast<uint64_t>(v);
  auto& b = fixed_tail();
  for (int i = 0; i < 8; ++i) b.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

void PayloadBuilder::bytes(std::span<const uint8_t> data) {
  auto& b = fixed_tail();
  b.insert(b.end(), data.begin(), data.end());
}

void PayloadBuilder::break_here() { open_fixed_ = false; }

void PayloadBuilder::loose_bytes(std::span<const uint8_t> data) {
  Piece p;
  p.bytes.assign(data.begin(), data.end());
  p.loose = true;
  pieces_.push_back(std::move(p));
  open_fixed_ = false;
}

void PayloadBuilder::string(std::span<const uint8_t> header, std::u16string_view text, bool wide) {
  Piece p;
  p.bytes.assign(header.begin(), header.end());
  p.text = text;
  p.is_string = true;
  p.wide = wide;
  pieces_.push_back(std::move(p));
  open_fixed_ = false;
}

std::vector<uint8_t> PayloadBuilder::flat() const {
  std::vector<uint8_t> out;
  for (const Piece& p : pieces_) {
    out.insert(out.end(), p.bytes.begin(), p.bytes.end());
    for (char16_t c : p.text) {
      out.push_back(static_cast<uint8_t>(c & 0xFF));
      if (p.wide) out.push_back(static_cast<uint8_t>(c >> 8));
    }
  }
  return out;
}

}  // namespace tabrel::biff
