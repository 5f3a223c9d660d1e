// Encrypted workbooks made byte by byte: XOR obfuscation (which our writer never emits) and RC4,
// with a shared-string table continued across records, a password given or the default one.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "corpus/corpus_required.h"
#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/crypto/record_cipher.h"
#include "spreadsheet/crypto/xor_obfuscation.h"
#include "spreadsheet/xls/reader.h"
#include "workbook_bytes.h"

namespace tabrel {
namespace {

namespace rt = biff::rt;
using xls_test::Bytes;
using xls_test::RecordStream;

constexpr uint16_t kRows = 300;

// A workbook whose records after FILEPASS are encrypted with `cipher`, as the spreadsheet does:
// record headers, BOF and the BOUNDSHEET's stream position stay plain.
std::vector<uint8_t> encrypted_workbook(const std::vector<uint8_t>& filepass, crypto::RecordCipher& cipher) {
  RecordStream s;
  s.record(rt::BOF, xls_test::bof(0x0005));
  const size_t encrypted_from = s.position() + 4 + filepass.size();
  s.record(rt::FilePass, filepass);
  s.record(rt::SST, Bytes().u32(2).u32(2).u16(4).u8(0).raw({'S', 'u'}));
  s.record(rt::Continue, Bytes().u8(1).u16(u'합').u16(u'계').u16(2).u8(0).raw({'o', 'k'}));
  const size_t entry = s.record(rt::BoundSheet8, xls_test::boundsheet(u"암호"));
  s.record(rt::Eof, {});
  s.patch_u32(entry + 4, static_cast<uint32_t>(s.position()));
  s.record(rt::BOF, xls_test::bof(0x0010));
  s.record(rt::LabelSst, Bytes().u16(0).u16(0).u16(15).u32(0));
  s.record(rt::LabelSst, Bytes().u16(0).u16(1).u16(15).u32(1));
  s.record(rt::Number, Bytes().u16(1).u16(0).u16(15).f64(42.5));
  // Enough cells for the stream to cross several 1024-byte blocks of the RC4 schemes.
  for (uint16_t row = 2; row < kRows; ++row) s.record(rt::Number, Bytes().u16(row).u16(0).u16(15).f64(row));
  s.record(rt::Eof, {});

  auto& bytes = s.data();
  for (size_t at = encrypted_from; at + 4 <= bytes.size();) {
    const uint16_t type = static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
    const size_t size = static_cast<size_t>(bytes[at + 2] | bytes[at + 3] << 8);
    const size_t plain = std::min(biff::plain_prefix_size(type), size);
    const size_t payload = at + 4;
    cipher.encrypt(payload + plain, size, std::span(bytes).subspan(payload + plain, size - plain));
    at = payload + size;
  }
  return xls_test::compound_file(bytes);
}

void expect_content(const model::Workbook& book) {
  ASSERT_EQ(book.sheets.size(), 1u);
  const auto& s = *book.sheets[0];
  EXPECT_EQ(s.name, u"암호");
  EXPECT_EQ(s.cells.find({0, 0})->value.as_text(), u"Su합계");
  EXPECT_EQ(s.cells.find({0, 1})->value.as_text(), u"ok");
  EXPECT_EQ(s.cells.find({1, 0})->value.as_number(), 42.5);
  EXPECT_EQ(s.cells.find({kRows - 1, 0})->value.as_number(), kRows - 1);
}

xls::OpenError::Kind error_kind(const std::vector<uint8_t>& file, const std::optional<std::u16string>& password) {
  try {
    xls::read_workbook(file, password);
  } catch (const xls::OpenError& e) {
    return e.kind;
  }
  ADD_FAILURE() << "opened";
  return xls::OpenError::Kind::Corrupt;
}

struct XorFixture {
  std::vector<uint8_t> file;
  explicit XorFixture(std::u16string_view password) {
    const std::string pw = crypto::xor_password_bytes(password);
    crypto::XorHeader h{crypto::xor_key(pw), crypto::xor_verifier(pw)};
    const std::vector<uint8_t> filepass = Bytes().u16(0).u16(h.key).u16(h.verifier);
    auto cipher = crypto::open_cipher(h, password);
    file = encrypted_workbook(filepass, *cipher);
  }
};

std::vector<uint8_t> rc4_file(std::u16string_view password) {
  auto enc = crypto::create_rc4_encryption(password, [](std::span<uint8_t> out) {
    for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<uint8_t>(i * 7 + 1);
  });
  return encrypted_workbook(enc.filepass_payload, *enc.cipher);
}

TEST(XlsEncryptedFixture, XorObfuscationOpensWithItsPasswordOnly) {
  const XorFixture f(u"abc");
  expect_content(*xls::read_workbook(f.file, std::u16string(u"abc")));
  EXPECT_EQ(error_kind(f.file, u"abd"), xls::OpenError::Kind::WrongPassword);
  EXPECT_EQ(error_kind(f.file, std::nullopt), xls::OpenError::Kind::PasswordRequired);
}

TEST(XlsEncryptedFixture, Rc4OpensWithItsPasswordOnly) {
  const auto file = rc4_file(u"비밀번호");
  expect_content(*xls::read_workbook(file, std::u16string(u"비밀번호")));
  EXPECT_EQ(error_kind(file, u"비밀"), xls::OpenError::Kind::WrongPassword);
}

// The default password opens a file whether no password or another one was given.
TEST(XlsEncryptedFixture, DefaultPasswordIsTriedAfterTheGivenOne) {
  const auto file = rc4_file(crypto::kDefaultPassword);
  expect_content(*xls::read_workbook(file));
  expect_content(*xls::read_workbook(file, std::u16string(u"something else")));
}

// An encryption scheme the spreadsheet never writes into this format is refused with its own
// description.
TEST(XlsEncryptedFixture, UnknownEncryptionIsRefusedAsSuch) {
  RecordStream s;
  s.record(rt::BOF, xls_test::bof(0x0005));
  s.record(rt::FilePass, Bytes().u16(1).u16(9).u16(9).zeros(48));
  s.record(rt::Eof, {});
  try {
    xls::read_workbook(xls_test::compound_file(s.data()), std::u16string(u"password"));
    FAIL();
  } catch (const xls::OpenError& e) {
    EXPECT_EQ(e.kind, xls::OpenError::Kind::Corrupt);
    EXPECT_EQ(e.message, u"지원하지 않는 방식으로 암호화된 통합 문서입니다.");
  }
}

// The CryptoAPI header (salt and verifier for the password "password") of a corpus file, put in
// front of our own records: the whole stream is then encrypted under that scheme.
std::optional<std::vector<uint8_t>> corpus_cryptoapi_filepass() {
  const auto path = std::filesystem::path(TABREL_SHARED_DIR) / "corpus/encrypted/sheetjs-password_2002_40_basecrypto.xls";
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const auto file = cfb::CompoundFile::open(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}));
  const auto stream = file.read_stream(u"Workbook");
  biff::RecordReader reader(stream);
  biff::Record rec;
  while (reader.next(rec))
    if (rec.type == rt::FilePass) return rec.data;
  return std::nullopt;
}

TEST(XlsEncryptedFixture, CryptoApiOpensWithItsPasswordOnly) {
  const auto filepass = corpus_cryptoapi_filepass();
  TABREL_REQUIRE_CORPUS(filepass, "the FILEPASS record of sheetjs-password_2002_40_basecrypto.xls");
  ASSERT_TRUE(std::holds_alternative<crypto::CryptoApiHeader>(crypto::parse_filepass(*filepass)));
  auto cipher = crypto::open_cipher(crypto::parse_filepass(*filepass), u"password");
  const auto file = encrypted_workbook(*filepass, *cipher);
  expect_content(*xls::read_workbook(file, std::u16string(u"password")));
  EXPECT_EQ(error_kind(file, u"Password"), xls::OpenError::Kind::WrongPassword);
}

}  // namespace
}  // namespace tabrel
