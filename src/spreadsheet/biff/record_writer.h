#pragma once
// Writes records to a workbook stream: headers, CONTINUE records for payloads longer than
// kMaxPayload (cut where the payload allows it), and encryption of payloads once a cipher is
// set (the FILEPASS record itself is written before setting it).

#include <cstdint>
#include <span>
#include <vector>

#include "spreadsheet/biff/payload_builder.h"

namespace tabrel::crypto {
class RecordCipher;
}

namespace tabrel::biff {

class RecordWriter {
 public:
  // Writes a payload that may be cut anywhere.
  void write(uint16_t type, std::span<const uint8_t> payload);

  // Where a string piece of a written payload landed: the stream offset of its first byte and
  // its distance from the header of the record (first record or CONTINUE) that holds it.
  struct StringPlacement {
    uint64_t stream_offset = 0;
    uint16_t offset_in_record = 0;
  };
  // Writes a payload cut only where the builder allows; returns one placement per string piece.
  std::vector<StringPlacement> write(uint16_t type, const PayloadBuilder& payload);

  // Payloads written from now on are encrypted (not owned; nullptr stops it).
  void set_cipher(crypto::RecordCipher* cipher) { cipher_ = cipher; }

  uint64_t position() const { return out_.size(); }
  const std::vector<uint8_t>& data() const { return out_; }

  // Overwrites four bytes already written, e.g. a BOUNDSHEET's stream position of its sheet,
  // which encryption leaves plain.
  void patch_u32(uint64_t offset, uint32_t value);

 private:
  void emit(uint16_t type, std::span<const uint8_t> payload);

  std::vector<uint8_t> out_;
  crypto::RecordCipher* cipher_ = nullptr;
};

}  // namespace tabrel::biff
