// Decryption of the corpus's encrypted workbooks: after FILEPASS, every record of the Workbook
// stream must read back, the sheet names must be the ones the spreadsheet shows, every
// BOUNDSHEET must point at a BOF, and the shared strings must parse.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>

#include "corpus/corpus_required.h"
#include "spreadsheet/biff/format_error.h"
#include "spreadsheet/biff/record_cursor.h"
#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/shared_strings.h"
#include "spreadsheet/biff/strings.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/crypto/crypto_error.h"
#include "spreadsheet/crypto/filepass.h"
#include "spreadsheet/crypto/record_cipher.h"

namespace tabrel::biff {
namespace {

namespace fs = std::filesystem;

const fs::path kEncrypted = fs::path(TABREL_SHARED_DIR) / "corpus" / "encrypted";

std::vector<uint8_t> workbook_stream(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return cfb::CompoundFile::open(std::move(bytes)).read_stream(u"Workbook");
}

struct Sheet {
  std::u16string name;
  uint32_t bof_offset;
};

struct Globals {
  std::vector<Sheet> sheets;
  std::optional<SharedStrings> sst;
  size_t records_after_eof = 0;  // records read in the sheet substreams
};

// Reads the whole stream with the given password; throws what the layers throw.
Globals read_encrypted(const std::vector<uint8_t>& stream, std::optional<std::u16string_view> password) {
  RecordReader reader(stream);
  std::unique_ptr<crypto::RecordCipher> cipher;
  Globals g;
  Record rec;
  bool globals = true;
  while (reader.next(rec)) {
    if (rec.type == rt::FilePass) {
      cipher = crypto::open_cipher(crypto::parse_filepass(rec.data), password);
      reader.set_cipher(cipher.get());
    } else if (globals && rec.type == rt::BoundSheet8) {
      RecordCursor c(rec);
      uint32_t bof = c.u32();
      c.skip(2);
      g.sheets.push_back({read_short_string(c), bof});
    } else if (globals && rec.type == rt::SST) {
      g.sst = read_shared_strings(rec);
    } else if (rec.type == rt::Eof) {
      globals = false;
    } else if (!globals) {
      ++g.records_after_eof;
    }
  }
  EXPECT_NE(cipher, nullptr) << "no FILEPASS record";
  return g;
}

struct Case {
  const char* file;
  const char16_t* password;  // nullptr: the built-in default
  std::vector<std::u16string> sheets;
};

class EncryptedCorpus : public ::testing::TestWithParam<Case> {};

TEST_P(EncryptedCorpus, DecryptsWithItsPasswordAndRefusesAnother) {
  const Case& c = GetParam();
  fs::path file = kEncrypted / c.file;
  TABREL_REQUIRE_CORPUS(fs::exists(file), file);
  std::vector<uint8_t> stream = workbook_stream(file);

  std::optional<std::u16string_view> password;
  if (c.password) password = c.password;
  Globals g = read_encrypted(stream, password);
  std::vector<std::u16string> names;
  for (const Sheet& s : g.sheets) {
    names.push_back(s.name);
    ASSERT_LT(s.bof_offset + 4u, stream.size());
    EXPECT_EQ(stream[s.bof_offset] | stream[s.bof_offset + 1] << 8, rt::BOF) << to_utf8(s.name);
  }
  EXPECT_EQ(names, c.sheets);
  EXPECT_GT(g.records_after_eof, 0u);

  if (!c.password) {
    // A wrong password falls back to the built-in default, which opens these files.
    EXPECT_EQ(read_encrypted(stream, u"not the password").sheets.size(), c.sheets.size());
  } else {
    try {
      read_encrypted(stream, u"not the password");
      ADD_FAILURE() << "a wrong password opened " << c.file;
    } catch (const crypto::CryptoError& e) {
      EXPECT_EQ(e.kind(), crypto::CryptoErrorKind::WrongPassword);
    }
  }
}

const std::vector<std::u16string> kThreeSheets = {u"Sheet1", u"Sheet2", u"Sheet3"};

INSTANTIATE_TEST_SUITE_P(
    Files, EncryptedCorpus,
    ::testing::Values(
        Case{"poi-xor-encryption-abc.xls", u"abc", {u"Sheet1"}},
        Case{"sheetjs-password_2002_40_xor.xls", u"password", kThreeSheets},
        Case{"msoffcrypto-xor_password_123456789012345.xls", u"123456789012345", {u"420"}},
        Case{"poi-password.xls", u"password", {u"Лист1", u"Лист2", u"Лист3"}},
        Case{"poi-50833.xls", nullptr, kThreeSheets},
        Case{"oletools-autostart-encrypt-standardpassword.xls", nullptr, {u"Tabelle1"}},
        Case{"oletools-dde-test-encrypt-standardpassword.xls", nullptr, {u"Tabelle1"}},
        Case{"poi-35897-type4.xls", u"freedom", {u"Sheet1"}},
        Case{"msoffcrypto-rc4cryptoapi_password.xls", u"Password1234_", {u"Sheet1"}},
        Case{"sheetjs-password_2002_40_basecrypto.xls", u"password", kThreeSheets},
        Case{"sheetjs-password_2002_40_dhsc.xls", u"password", kThreeSheets},
        Case{"sheetjs-password_2002_40_dss.xls", u"password", kThreeSheets},
        Case{"sheetjs-password_2002_128_enhanced.xls", u"password", kThreeSheets},
        Case{"sheetjs-password_2002_128_enhdss.xls", u"password", kThreeSheets},
        Case{"sheetjs-password_2002_128_enhrsa.xls", u"password", kThreeSheets},
        Case{"sheetjs-password_2002_128_enhrsasc.xls", u"password", kThreeSheets},
        Case{"sheetjs-password_2002_128_strong.xls", u"password", kThreeSheets}));

// The CryptoAPI file has an unencrypted twin saved separately: after decryption the record
// sequence must be the twin's, and every record that holds neither a stream position, the
// saving user, save-time flags nor a recalculated result must be the twin's byte for byte.
TEST(EncryptedCorpusTwin, DecryptedRecordsEqualThePlainTwin) {
  fs::path encrypted = kEncrypted / "msoffcrypto-rc4cryptoapi_password.xls";
  fs::path plain = fs::path(TABREL_SHARED_DIR) / "corpus" / "excel" / "msoffcrypto-plain.xls";
  TABREL_REQUIRE_CORPUS(fs::exists(encrypted) && fs::exists(plain), encrypted << " and " << plain);
  const std::set<uint16_t> differ_by_saving = {rt::BoundSheet8, rt::ExtSST, rt::Index,   rt::DBCell,
                                               rt::WriteAccess, rt::BookExt, rt::Formula};
  std::vector<uint8_t> a = workbook_stream(encrypted), b = workbook_stream(plain);
  RecordReader ra(a), rb(b);
  std::unique_ptr<crypto::RecordCipher> cipher;
  Record x, y;
  size_t equal = 0;
  while (ra.next(x)) {
    if (x.type == rt::FilePass) {
      cipher = crypto::open_cipher(crypto::parse_filepass(x.data), u"Password1234_");
      ra.set_cipher(cipher.get());
      continue;
    }
    ASSERT_TRUE(rb.next(y)) << "twin ends early";
    ASSERT_EQ(x.type, y.type) << "record at " << x.offset;
    if (differ_by_saving.count(x.type) == 0) {
      EXPECT_EQ(x.data, y.data) << record_name(x.type) << " at " << x.offset;
      ++equal;
    }
  }
  EXPECT_FALSE(rb.next(y));
  EXPECT_GT(equal, 100u);
}

}  // namespace
}  // namespace tabrel::biff
