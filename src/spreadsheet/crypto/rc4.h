#pragma once
// The RC4 stream cipher. Encryption and decryption are the same operation.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tabrel::crypto {

class Rc4 {
 public:
  // key: 1 to 256 bytes.
  explicit Rc4(std::span<const uint8_t> key);

  uint8_t next();                        // the next key-stream byte
  void apply(std::span<uint8_t> data);   // XORs the key stream into data
  void skip(size_t count);               // discards key-stream bytes

 private:
  std::array<uint8_t, 256> s_{};
  uint8_t i_ = 0, j_ = 0;
};

}  // namespace tabrel::crypto
