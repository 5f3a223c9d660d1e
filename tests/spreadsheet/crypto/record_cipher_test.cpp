// The three schemes on fixtures cut from real encrypted workbooks (their FILEPASS payload and
// their first BOUNDSHEET record with its stream offset): the right password decrypts the sheet
// name, a wrong one is refused; and RC4 encryption made here opens and round-trips.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "spreadsheet/crypto/crypto_error.h"
#include "spreadsheet/crypto/filepass.h"
#include "spreadsheet/crypto/record_cipher.h"

namespace tabrel::crypto {
namespace {

struct Fixture {
  const char* scheme;
  std::vector<uint8_t> filepass;
  std::u16string password;
  uint64_t boundsheet_offset;  // stream offset of the record header
  std::vector<uint8_t> boundsheet;
  std::u16string sheet_name;
};

// The sheet name of a decrypted BOUNDSHEET payload (short string at byte 6).
std::u16string sheet_name(const std::vector<uint8_t>& p) {
  size_t count = p.at(6);
  bool wide = p.at(7) & 1;
  std::u16string out;
  for (size_t i = 0; i < count; ++i) {
    size_t at = 8 + i * (wide ? 2 : 1);
    out.push_back(wide ? static_cast<char16_t>(p.at(at) | p.at(at + 1) << 8) : p.at(at));
  }
  return out;
}

std::vector<Fixture> fixtures() {
  return {
      {"xor", {0x00, 0x00, 0x4a, 0x51, 0x1a, 0xcc}, u"abc", 1032,
       {0x6c, 0x04, 0x00, 0x00, 0x25, 0x77, 0x55, 0x99, 0xfe, 0x78, 0x76, 0xfb, 0xf6, 0x71}, u"Sheet1"},
      {"rc4",
       {0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x68, 0xa7, 0x5d, 0xab, 0x8d, 0xff, 0x01, 0xc4, 0xfa, 0x37, 0x63,
        0x68, 0xe6, 0x5e, 0xfc, 0x5f, 0xda, 0xa7, 0xa3, 0x6e, 0x24, 0x21, 0xfb, 0xa3, 0x6a, 0xb4, 0xec, 0x92,
        0xfa, 0x2a, 0xa0, 0x9a, 0xf7, 0x89, 0x69, 0x35, 0xe1, 0xc3, 0xad, 0xb7, 0x16, 0x28, 0xed, 0xb7, 0x54,
        0x3c, 0x09, 0xfa},
       u"password", 12919,
       {0x8e, 0x37, 0x00, 0x00, 0xfa, 0x29, 0x31, 0x95, 0xf7, 0x0f, 0xd6, 0xd4, 0x97, 0x4c, 0x3c, 0x66, 0xd2, 0x7b},
       u"\u041b\u0438\u0441\u04421"},
      {"cryptoapi-40",
       {0x01, 0x00, 0x02, 0x00, 0x02, 0x00, 0x04, 0x00, 0x00, 0x00, 0x76, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x68, 0x00, 0x00, 0x04, 0x80, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00,
        0x01, 0x00, 0x00, 0x00, 0x60, 0x05, 0x22, 0x02, 0x00, 0x00, 0x00, 0x00, 0x4d, 0x00, 0x69, 0x00, 0x63,
        0x00, 0x72, 0x00, 0x6f, 0x00, 0x73, 0x00, 0x6f, 0x00, 0x66, 0x00, 0x74, 0x00, 0x20, 0x00, 0x42, 0x00,
        0x61, 0x00, 0x73, 0x00, 0x65, 0x00, 0x20, 0x00, 0x43, 0x00, 0x72, 0x00, 0x79, 0x00, 0x70, 0x00, 0x74,
        0x00, 0x6f, 0x00, 0x67, 0x00, 0x72, 0x00, 0x61, 0x00, 0x70, 0x00, 0x68, 0x00, 0x69, 0x00, 0x63, 0x00,
        0x20, 0x00, 0x50, 0x00, 0x72, 0x00, 0x6f, 0x00, 0x76, 0x00, 0x69, 0x00, 0x64, 0x00, 0x65, 0x00, 0x72,
        0x00, 0x20, 0x00, 0x76, 0x00, 0x31, 0x00, 0x2e, 0x00, 0x30, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00,
        0x3c, 0x16, 0x7e, 0xdf, 0xaf, 0x24, 0xe4, 0xb0, 0x7e, 0x8d, 0xa6, 0x76, 0xef, 0xe2, 0x5b, 0x83, 0x90,
        0x88, 0x1e, 0xb1, 0xde, 0x09, 0x8f, 0xd6, 0x72, 0x3f, 0x65, 0x1a, 0x74, 0x3f, 0x49, 0x44, 0x14, 0x00,
        0x00, 0x00, 0x95, 0x9f, 0xf9, 0x20, 0x38, 0xbc, 0xa7, 0x68, 0xb4, 0x54, 0xfd, 0x76, 0x36, 0xc2, 0x82,
        0xc6, 0x64, 0x78, 0xff, 0x40},
       u"password", 1548,
       {0x6c, 0x06, 0x00, 0x00, 0x22, 0xd7, 0x45, 0x0f, 0x2d, 0x4a, 0x8a, 0x13, 0x95, 0xbf}, u"Sheet1"},
  };
}

TEST(RecordCipher, FixturesDecryptWithTheirPassword) {
  for (const Fixture& f : fixtures()) {
    FilePass header = parse_filepass(f.filepass);
    auto cipher = open_cipher(header, f.password);
    std::vector<uint8_t> payload = f.boundsheet;
    // The first four payload bytes (the sheet's stream position) are never encrypted.
    cipher->decrypt(f.boundsheet_offset + 8, payload.size(), std::span(payload).subspan(4));
    EXPECT_EQ(sheet_name(payload), f.sheet_name) << f.scheme;

    std::vector<uint8_t> again = payload;
    cipher->encrypt(f.boundsheet_offset + 8, again.size(), std::span(again).subspan(4));
    EXPECT_EQ(again, f.boundsheet) << f.scheme << ": encryption is the inverse";

    try {
      open_cipher(header, u"Password");
      ADD_FAILURE() << f.scheme << " accepted a wrong password";
    } catch (const CryptoError& e) {
      EXPECT_EQ(e.kind(), CryptoErrorKind::WrongPassword) << f.scheme;
    }
  }
}

TEST(FilePassParse, Rc4HeaderWritesBackByteForByte) {
  const std::vector<uint8_t> bytes = fixtures()[1].filepass;
  EXPECT_EQ(write_filepass(std::get<Rc4Header>(parse_filepass(bytes))), bytes);
}

TEST(RecordCipher, CryptoApiHeaderFieldsAreRead) {
  auto h = std::get<CryptoApiHeader>(parse_filepass(fixtures()[2].filepass));
  EXPECT_EQ(h.version_major, 2);
  EXPECT_EQ(h.algorithm_id, 0x6801u);
  EXPECT_EQ(h.hash_algorithm_id, 0x8004u);
  EXPECT_EQ(h.key_bits, 40u);
  EXPECT_EQ(h.provider_name, u"Microsoft Base Cryptographic Provider v1.0");
  EXPECT_EQ(h.salt.size(), 16u);
}

RandomSource counting_source() {
  return [n = uint8_t{0}](std::span<uint8_t> out) mutable {
    for (uint8_t& b : out) b = n++;
  };
}

TEST(RecordCipher, Rc4EncryptionRoundTripsAcrossBlocks) {
  NewEncryption made = create_rc4_encryption(u"비밀번호", counting_source());
  ASSERT_EQ(made.filepass_payload.size(), 54u);
  FilePass header = parse_filepass(made.filepass_payload);
  ASSERT_TRUE(std::holds_alternative<Rc4Header>(header));

  std::vector<uint8_t> plain(3000);
  for (size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<uint8_t>(i * 7);
  std::vector<uint8_t> data = plain;
  made.cipher->encrypt(100, data.size(), data);  // one call across two 1024-byte boundaries
  EXPECT_NE(data, plain);

  auto reader = open_cipher(header, u"비밀번호");
  // Decrypt out of order and in pieces that straddle the block boundaries.
  const std::pair<size_t, size_t> pieces[] = {{2000, 1000}, {0, 900}, {900, 50}, {950, 1050}};
  for (auto [at, n] : pieces) reader->decrypt(100 + at, n, std::span(data).subspan(at, n));
  EXPECT_EQ(data, plain);

  EXPECT_THROW(open_cipher(header, u"비밀번호 "), CryptoError);
  EXPECT_THROW(open_cipher(header, std::nullopt), CryptoError);
}

TEST(RecordCipher, SystemSaltsDiffer) {
  RandomSource random = system_random_source();
  auto a = create_rc4_encryption(u"x", random).filepass_payload;
  auto b = create_rc4_encryption(u"x", random).filepass_payload;
  EXPECT_NE(a, b);
  EXPECT_NO_THROW(open_cipher(parse_filepass(a), u"x"));
}

TEST(RecordCipher, DefaultPasswordOpensWhenNoneOrAWrongOneIsGiven) {
  NewEncryption made = create_rc4_encryption(kDefaultPassword, counting_source());
  FilePass header = parse_filepass(made.filepass_payload);
  EXPECT_NO_THROW(open_cipher(header, std::nullopt));
  EXPECT_NO_THROW(open_cipher(header, u"anything"));
}

TEST(FilePassParse, RejectsDamagedAndUnknownHeaders) {
  std::vector<uint8_t> rc4 = fixtures()[1].filepass;
  std::vector<uint8_t> capi = fixtures()[2].filepass;
  auto with = [](std::vector<uint8_t> v, size_t at, uint8_t b) {
    v.at(at) = b;
    return v;
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> payload;
    CryptoErrorKind kind;
  };
  const Case cases[] = {
      {"empty", {}, CryptoErrorKind::Malformed},
      {"xor cut short", {0x00, 0x00, 0x4a, 0x51, 0x1a}, CryptoErrorKind::Malformed},
      {"rc4 cut short", std::vector<uint8_t>(rc4.begin(), rc4.end() - 1), CryptoErrorKind::Malformed},
      {"unknown type", {0x02, 0x00, 0x01, 0x00}, CryptoErrorKind::Unsupported},
      {"rc4 version 1.2", with(rc4, 4, 2), CryptoErrorKind::Unsupported},
      {"header size past the end", with(capi, 11, 0x10), CryptoErrorKind::Malformed},
      {"header size too small", with(capi, 10, 0x10), CryptoErrorKind::Malformed},
      {"AES algorithm", with(with(capi, 22, 0x0E), 23, 0x66), CryptoErrorKind::Unsupported},
      {"salt size 17", with(capi, 132, 0x11), CryptoErrorKind::Malformed},
      {"cryptoapi cut short", std::vector<uint8_t>(capi.begin(), capi.end() - 1), CryptoErrorKind::Malformed},
  };
  for (const Case& c : cases) {
    try {
      parse_filepass(c.payload);
      ADD_FAILURE() << c.what << " parsed";
    } catch (const CryptoError& e) {
      EXPECT_EQ(e.kind(), c.kind) << c.what << ": " << e.what();
    }
  }
}

}  // namespace
}  // namespace tabrel::crypto
