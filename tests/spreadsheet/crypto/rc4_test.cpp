// RC4 against published key streams: the classic examples and RFC 6229's 40-bit key, including
// a later offset reached by skipping.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "spreadsheet/crypto/rc4.h"

namespace tabrel::crypto {
namespace {

std::vector<uint8_t> bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST(Rc4, ClassicExamples) {
  struct Case {
    std::string key, plain;
    std::vector<uint8_t> cipher;
  };
  const Case cases[] = {
      {"Key", "Plaintext", {0xBB, 0xF3, 0x16, 0xE8, 0xD9, 0x40, 0xAF, 0x0A, 0xD3}},
      {"Wiki", "pedia", {0x10, 0x21, 0xBF, 0x04, 0x20}},
      {"Secret", "Attack at dawn", {0x45, 0xA0, 0x1F, 0x64, 0x5F, 0xC3, 0x5B, 0x38, 0x35, 0x52, 0x54, 0x4B, 0x9B, 0xF5}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> data = bytes(c.plain);
    Rc4(bytes(c.key)).apply(data);
    EXPECT_EQ(data, c.cipher) << c.key;
    Rc4(bytes(c.key)).apply(data);  // the same operation decrypts
    EXPECT_EQ(data, bytes(c.plain));
  }
}

TEST(Rc4, Rfc6229FortyBitKeyStream) {
  const std::vector<uint8_t> key = {0x01, 0x02, 0x03, 0x04, 0x05};
  Rc4 rc4(key);
  std::vector<uint8_t> first(16);
  rc4.apply(first);
  EXPECT_EQ(first, (std::vector<uint8_t>{0xb2, 0x39, 0x63, 0x05, 0xf0, 0x3d, 0xc0, 0x27, 0xcc, 0xc3, 0x52, 0x4a,
                                         0x0a, 0x11, 0x18, 0xa8}));
  Rc4 skipping(key);
  skipping.skip(16);
  std::vector<uint8_t> second(16);
  skipping.apply(second);
  EXPECT_EQ(second, (std::vector<uint8_t>{0x69, 0x82, 0x94, 0x4f, 0x18, 0xfc, 0x82, 0xd5, 0x89, 0xc4, 0x03, 0xa4,
                                          0x7a, 0x0d, 0x09, 0x19}));
}

}  // namespace
}  // namespace tabrel::crypto
