// MD5 (RFC 1321 test suite) and SHA-1 (FIPS 180 examples), in one piece and fed in odd-sized
// chunks across the 64-byte block boundary.

#include <gtest/gtest.h>

#include <string>

#include "spreadsheet/crypto/md5.h"
#include "spreadsheet/crypto/sha1.h"

namespace tabrel::crypto {
namespace {

template <size_t N>
std::string hex(const std::array<uint8_t, N>& d) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (uint8_t b : d) {
    out.push_back(digits[b >> 4]);
    out.push_back(digits[b & 15]);
  }
  return out;
}

std::span<const uint8_t> byte_view(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

struct Vector {
  std::string input;
  std::string digest;
};

TEST(Md5, Rfc1321Suite) {
  const Vector cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {std::string("1234567890") + "1234567890" + "1234567890" + "1234567890" + "1234567890" + "1234567890" +
           "1234567890" + "1234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Vector& v : cases) EXPECT_EQ(hex(md5(byte_view(v.input))), v.digest) << v.input;
}

TEST(Sha1, Fips180Examples) {
  const Vector cases[] = {
      {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
      {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
      {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
  };
  for (const Vector& v : cases) EXPECT_EQ(hex(sha1(byte_view(v.input))), v.digest) << v.input.substr(0, 60);
}

// Lengths around 55/56/64 bytes change the padding; chunks of 7 cross block boundaries.
TEST(Hashes, ChunkedInputGivesTheSameDigest) {
  for (size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 200u}) {
    std::string input;
    for (size_t i = 0; i < length; ++i) input.push_back(static_cast<char>('A' + i % 26));
    Md5 m;
    Sha1 s;
    for (size_t i = 0; i < length; i += 7) {
      m.update(byte_view(input.substr(i, 7)));
      s.update(byte_view(input.substr(i, 7)));
    }
    EXPECT_EQ(m.finish(), md5(byte_view(input))) << length;
    EXPECT_EQ(s.finish(), sha1(byte_view(input))) << length;
  }
}

}  // namespace
}  // namespace tabrel::crypto
