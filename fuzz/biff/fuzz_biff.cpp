// Fuzzes the record layer: the input is a compound file whose Workbook stream is read, or, when
// it is none, the stream itself. Every record is read; FILEPASS opens a cipher with the default
// password; SST and strings are decoded. Only the layers' own errors may come out.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "spreadsheet/biff/format_error.h"
#include "spreadsheet/biff/record_cursor.h"
#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/shared_strings.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/crypto/crypto_error.h"
#include "spreadsheet/crypto/filepass.h"
#include "spreadsheet/crypto/record_cipher.h"

namespace {

std::vector<uint8_t> workbook_stream(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  try {
    return tabrel::cfb::CompoundFile::open(bytes).read_stream(u"Workbook");
  } catch (const tabrel::cfb::Error&) {
    return bytes;
  }
}

void read_records(const std::vector<uint8_t>& stream) {
  using namespace tabrel;
  biff::RecordReader reader(stream);
  std::unique_ptr<crypto::RecordCipher> cipher;
  biff::Record r;
  while (reader.next(r)) {
    if (r.type == biff::rt::FilePass && !cipher) {
      cipher = crypto::open_cipher(crypto::parse_filepass(r.data), std::nullopt);
      reader.set_cipher(cipher.get());
    } else if (r.type == biff::rt::SST) {
      biff::read_shared_strings(r);
    } else if (r.type == biff::rt::BoundSheet8 || r.type == biff::rt::Label) {
      biff::RecordCursor c(r);
      c.skip(6);
      r.type == biff::rt::Label ? biff::read_string(c) : biff::read_short_string(c);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    read_records(workbook_stream(data, size));
  } catch (const tabrel::biff::FormatError&) {
  } catch (const tabrel::crypto::CryptoError&) {
  }
  return 0;
}
