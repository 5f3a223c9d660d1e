#include "written_records.h"

#include <memory>

#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/crypto/record_cipher.h"

namespace tabrel::xls::testing {

std::vector<uint8_t> workbook_stream(const std::vector<uint8_t>& file) {
  return cfb::CompoundFile::open(file, cfb::Mode::Strict).read_stream(u"Workbook");
}

std::vector<biff::Record> written_records(const std::vector<uint8_t>& file, std::optional<std::u16string> password) {
  const std::vector<uint8_t> stream = workbook_stream(file);
  biff::RecordReader reader(stream);
  std::unique_ptr<crypto::RecordCipher> cipher;
  std::vector<biff::Record> records;
  biff::Record r;
  while (reader.next(r)) {
    records.push_back(r);
    if (r.type == biff::rt::FilePass) {
      std::optional<std::u16string_view> pw;
      if (password) pw = *password;
      cipher = crypto::open_cipher(crypto::parse_filepass(r.data), pw);
      reader.set_cipher(cipher.get());
    }
  }
  return records;
}

std::vector<biff::Record> substream_at(const std::vector<biff::Record>& records, uint64_t offset) {
  std::vector<biff::Record> out;
  for (const biff::Record& r : records) {
    if (r.offset < offset) continue;
    out.push_back(r);
    if (r.type == biff::rt::Eof) break;
  }
  return out;
}

std::vector<uint16_t> types_of(const std::vector<biff::Record>& records) {
  std::vector<uint16_t> out;
  for (const biff::Record& r : records) out.push_back(r.type);
  return out;
}

}  // namespace tabrel::xls::testing
