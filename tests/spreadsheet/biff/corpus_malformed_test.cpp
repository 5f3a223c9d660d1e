// The corpus's damaged workbooks: whatever part of their Workbook stream the compound-file
// reader yields, the record layer reads it or raises its own errors, never anything else.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "corpus/corpus_required.h"
#include "spreadsheet/biff/format_error.h"
#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/shared_strings.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/crypto/crypto_error.h"
#include "spreadsheet/crypto/filepass.h"
#include "spreadsheet/crypto/record_cipher.h"

namespace tabrel::biff {
namespace {

namespace fs = std::filesystem;

TEST(CorpusMalformed, RecordLayerRaisesOnlyItsOwnErrors) {
  fs::path folder = fs::path(TABREL_SHARED_DIR) / "corpus" / "malformed";
  TABREL_REQUIRE_CORPUS(fs::exists(folder), folder);
  size_t streams = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<uint8_t> stream;
    try {
      stream = cfb::CompoundFile::open(std::move(bytes)).read_stream(u"Workbook");
    } catch (const cfb::Error&) {
      continue;
    }
    ++streams;
    SCOPED_TRACE(entry.path().filename().string());
    RecordReader reader(stream);
    std::unique_ptr<crypto::RecordCipher> cipher;
    Record r;
    try {
      while (reader.next(r)) {
        if (r.type == rt::FilePass && !cipher) {
          cipher = crypto::open_cipher(crypto::parse_filepass(r.data), std::nullopt);
          reader.set_cipher(cipher.get());
        } else if (r.type == rt::SST) {
          read_shared_strings(r);
        }
      }
    } catch (const FormatError&) {
    } catch (const crypto::CryptoError&) {
    }
  }
  EXPECT_GT(streams, 0u);
}

}  // namespace
}  // namespace tabrel::biff
