#pragma once
// The record cipher shared by both RC4 schemes: a new RC4 key for every 1024-byte block of the
// stream, the key stream position being the byte's offset inside its block. Sequential reads
// reuse the running key stream instead of starting the block again.

#include <functional>
#include <optional>
#include <vector>

#include "spreadsheet/crypto/rc4.h"
#include "spreadsheet/crypto/record_cipher.h"

namespace tabrel::crypto {

inline constexpr size_t kRc4BlockSize = 1024;

class BlockRc4Cipher final : public RecordCipher {
 public:
  using KeyForBlock = std::function<std::vector<uint8_t>(uint32_t block)>;
  explicit BlockRc4Cipher(KeyForBlock key_for_block) : key_for_block_(std::move(key_for_block)) {}

  void decrypt(uint64_t offset, size_t record_size, std::span<uint8_t> bytes) override;
  void encrypt(uint64_t offset, size_t record_size, std::span<uint8_t> bytes) override {
    decrypt(offset, record_size, bytes);
  }

 private:
  KeyForBlock key_for_block_;
  std::optional<Rc4> rc4_;
  uint64_t block_ = 0;
  size_t used_ = 0;  // key-stream bytes of the block consumed so far
};

}  // namespace tabrel::crypto
