#pragma once
// SHA-1 message digest (FIPS 180-4), used by the CryptoAPI RC4 password scheme.

#include <array>
#include <cstdint>
#include <span>

namespace tabrel::crypto {

using Sha1Digest = std::array<uint8_t, 20>;

class Sha1 {
 public:
  Sha1();
  void update(std::span<const uint8_t> data);
  Sha1Digest finish();  // the object must not be updated afterwards

 private:
  void block(const uint8_t* p);

  std::array<uint32_t, 5> state_;
  std::array<uint8_t, 64> buffer_{};
  uint64_t length_ = 0;
};

Sha1Digest sha1(std::span<const uint8_t> data);

}  // namespace tabrel::crypto
