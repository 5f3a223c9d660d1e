#pragma once
// Builds the payload of one logical record together with the places where the writer may cut
// it into CONTINUE records: between fixed pieces, and inside strings at character boundaries
// (the continuation then starts with a flag byte).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tabrel::biff {

class PayloadBuilder {
 public:
  // Fixed bytes join the current fixed piece; a cut may fall only where break_here() was
  // called, before a string, or (for a piece longer than a record) anywhere.
  void u8(uint8_t v);
  void u16(uint16_t v);
  void u32(uint32_t v);
  void f64(double v);
  void bytes(std::span<const uint8_t> data);
  void break_here();

  // Bytes that a cut may split anywhere (the runs and phonetic block after a string's
  // characters continue that way, without a flag byte).
  void loose_bytes(std::span<const uint8_t> data);

  // A string's header (its length and flags, runs count ...) and its characters: the header
  // stays in one record with at least the first character; characters may continue.
  void string(std::span<const uint8_t> header, std::u16string_view text, bool wide);

  struct Piece {
    std::vector<uint8_t> bytes;  // fixed bytes, or the string's header
    std::u16string text;
    bool is_string = false;
    bool wide = false;
    bool loose = false;  // fixed bytes that may be cut anywhere
  };
  const std::vector<Piece>& pieces() const { return pieces_; }

  // The payload as one byte sequence, as it reads when no cut is made.
  std::vector<uint8_t> flat() const;

 private:
  std::vector<uint8_t>& fixed_tail();
  std::vector<Piece> pieces_;
  bool open_fixed_ = false;
};

}  // namespace tabrel::biff
