#include "spreadsheet/crypto/sha1.h"

#include <bit>

#include "spreadsheet/crypto/block_feed.h"

namespace tabrel::crypto {

Sha1::Sha1() : state_{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0} {}

void Sha1::block(const uint8_t* p) {
  uint32_t w[80];
  for (int i = 0; i < 16; ++i) {
    w[i] = uint32_t(p[4 * i]) << 24 | uint32_t(p[4 * i + 1]) << 16 | uint32_t(p[4 * i + 2]) << 8 |
           uint32_t(p[4 * i + 3]);
  }
  for (int i = 16; i < 80; ++i) w[i] = std::rotl(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
  uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3], e = state_[4];
  for (int i = 0; i < 80; ++i) {
    uint32_t f, k;
    if (i < 20) {
      f = (b & c) | (~b & d);
      k = 0x5A827999;
    } else if (i < 40) {
      f = b ^ c ^ d;
      k = 0x6ED9EBA1;
    } else if (i < 60) {
      f = (b & c) | (b & d) | (c & d);
      k = 0x8F1BBCDC;
    } else {
      f = b ^ c ^ d;
      k = 0xCA62C1D6;
    }
    uint32_t t = std::rotl(a, 5) + f + e + k + w[i];
    e = d;
    d = c;
    c = std::rotl(b, 30);
    b = a;
    a = t;
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
  state_[4] += e;
}

void Sha1::update(std::span<const uint8_t> data) {
  detail::feed_blocks(buffer_, length_, data, [this](const uint8_t* p) { block(p); });
}

Sha1Digest Sha1::finish() {
  detail::Padding pad = detail::length_padding(length_, true);
  update({pad.bytes.data(), pad.size});
  Sha1Digest out;
  for (int i = 0; i < 5; ++i) {
    for (int k = 0; k < 4; ++k) out[4 * i + k] = static_cast<uint8_t>(state_[i] >> (24 - 8 * k));
  }
  return out;
}

Sha1Digest sha1(std::span<const uint8_t> data) {
  Sha1 h;
  h.update(data);
  return h.finish();
}

}  // namespace tabrel::crypto
