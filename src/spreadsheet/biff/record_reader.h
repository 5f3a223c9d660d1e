#pragma once
// Reads the records of a workbook stream one at a time, checking every header against the
// stream, gathering CONTINUE records into the logical record before them and decrypting
// payloads once a cipher is set (after FILEPASS).

#include <cstdint>
#include <span>

#include "spreadsheet/biff/record.h"

namespace tabrel::crypto {
class RecordCipher;
}

namespace tabrel::biff {

class RecordReader {
 public:
  // The stream must outlive the reader.
  explicit RecordReader(std::span<const uint8_t> stream);

  // Reads the next logical record into `out`; false at the end of the stream, where zero bytes
  // that pad the stream after its last record count as its end. Throws FormatError for a
  // header or payload that runs past the end of the stream.
  bool next(Record& out);

  // The type of the next record without consuming it; false at the end of the stream.
  bool peek_type(uint16_t& type) const;

  uint64_t position() const { return pos_; }
  void seek(uint64_t offset);  // FormatError past the end of the stream
  size_t size() const { return stream_.size(); }

  // Payloads read from now on are decrypted with `cipher` (not owned; nullptr stops it).
  void set_cipher(crypto::RecordCipher* cipher) { cipher_ = cipher; }

 private:
  bool at_padding() const;

  std::span<const uint8_t> stream_;
  uint64_t pos_ = 0;
  crypto::RecordCipher* cipher_ = nullptr;
};

}  // namespace tabrel::biff
