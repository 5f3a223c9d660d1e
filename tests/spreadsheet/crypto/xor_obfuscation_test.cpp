// XOR obfuscation keys and verifiers against the FILEPASS records of real files, and the
// password bytes the scheme takes from UTF-16 text.

#include <gtest/gtest.h>

#include "spreadsheet/crypto/xor_obfuscation.h"

namespace tabrel::crypto {
namespace {

TEST(XorObfuscation, KeyAndVerifierMatchRealFiles) {
  struct Case {
    std::u16string password;
    uint16_t key, verifier;
  };
  // From the FILEPASS records of workbooks the spreadsheet saved with these passwords.
  const Case cases[] = {{u"abc", 0x514a, 0xcc1a}};
  for (const Case& c : cases) {
    std::string bytes = xor_password_bytes(c.password);
    EXPECT_EQ(xor_key(bytes), c.key);
    EXPECT_EQ(xor_verifier(bytes), c.verifier);
  }
}

TEST(XorObfuscation, PasswordBytes) {
  EXPECT_EQ(xor_password_bytes(u"abc"), "abc");
  EXPECT_EQ(xor_password_bytes(u"1234567890123456789"), "123456789012345");  // at most 15
  EXPECT_EQ(xor_password_bytes(u"\u0100"), "\x01");                          // low byte zero: high byte
  EXPECT_EQ(xor_password_bytes(u"\uAC00"), std::string(1, '\xAC'));
}

TEST(XorObfuscation, ArrayIsDefinedForEveryLength) {
  std::string password;
  for (int n = 1; n <= 15; ++n) {
    password.push_back(static_cast<char>('a' + n));
    auto a = xor_array(password);
    EXPECT_NE(a, (std::array<uint8_t, 16>{})) << n;
  }
  EXPECT_EQ(xor_array(""), (std::array<uint8_t, 16>{}));
}

}  // namespace
}  // namespace tabrel::crypto
