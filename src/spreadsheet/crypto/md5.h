#pragma once
// MD5 message digest (RFC 1321), used by the RC4 password scheme of BIFF8 files.

#include <array>
#include <cstdint>
#include <span>

namespace tabrel::crypto {

using Md5Digest = std::array<uint8_t, 16>;

class Md5 {
 public:
  Md5();
  void update(std::span<const uint8_t> data);
  Md5Digest finish();  // the object must not be updated afterwards

 private:
  void block(const uint8_t* p);

  std::array<uint32_t, 4> state_;
  std::array<uint8_t, 64> buffer_{};
  uint64_t length_ = 0;  // bytes hashed so far
};

Md5Digest md5(std::span<const uint8_t> data);

}  // namespace tabrel::crypto
