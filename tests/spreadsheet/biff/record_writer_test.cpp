// The record writer: where payloads are cut into CONTINUE records, strings that continue with
// a flag byte, the shared string table with its EXTSST index, and encryption on write read back
// by the reader.

#include <gtest/gtest.h>

#include "spreadsheet/biff/format_error.h"
#include "spreadsheet/biff/record_cursor.h"
#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/biff/record_writer.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/shared_strings.h"
#include "spreadsheet/crypto/filepass.h"
#include "spreadsheet/crypto/record_cipher.h"

namespace tabrel::biff {
namespace {

struct Physical {
  uint16_t type;
  size_t size;
  bool operator==(const Physical&) const = default;
};

// The physical records of a stream, CONTINUE records separate.
std::vector<Physical> physical(const std::vector<uint8_t>& s) {
  std::vector<Physical> out;
  for (size_t at = 0; at + 4 <= s.size();) {
    size_t size = s[at + 2] | s[at + 3] << 8;
    out.push_back({static_cast<uint16_t>(s[at] | s[at + 1] << 8), size});
    at += 4 + size;
  }
  return out;
}

Record only_record(const std::vector<uint8_t>& stream) {
  RecordReader reader(stream);
  Record r;
  EXPECT_TRUE(reader.next(r));
  Record rest;
  EXPECT_FALSE(reader.next(rest));
  return r;
}

TEST(RecordWriter, CutsPlainPayloadsAtTheLimit) {
  RecordWriter w;
  std::vector<uint8_t> big(20000, 0x5A);
  w.write(rt::MsoDrawingGroup, big);
  w.write(rt::Eof, std::vector<uint8_t>{});
  EXPECT_EQ(physical(w.data()), (std::vector<Physical>{{rt::MsoDrawingGroup, 8224},
                                                        {rt::Continue, 8224},
                                                        {rt::Continue, 3552},
                                                        {rt::Eof, 0}}));
  RecordReader reader(w.data());
  Record r;
  ASSERT_TRUE(reader.next(r));
  EXPECT_EQ(r.data, big);
  EXPECT_EQ(r.boundaries, (std::vector<size_t>{8224, 16448}));
}

TEST(RecordWriter, StringsContinueAtCharacterBoundariesWithAFlagByte) {
  struct Case {
    const char* what;
    size_t lead;  // fixed bytes before the string
    std::u16string text;
    std::vector<Physical> records;
  };
  std::u16string wide(10, u'\uAC00');
  const Case cases[] = {
      {"8-bit", 4, std::u16string(10000, u'x'), {{rt::Label, 8224}, {rt::Continue, 1 + 10000 - 8217}}},
      {"16-bit with an odd room left", 8218, wide, {{rt::Label, 8223}, {rt::Continue, 1 + 18}}},
      {"header kept with its first character", 8222, u"abc", {{rt::Label, 8222}, {rt::Continue, 6}}},
  };
  for (const Case& c : cases) {
    PayloadBuilder b;
    b.bytes(std::vector<uint8_t>(c.lead, 0x11));
    append_string(b, c.text);
    RecordWriter w;
    w.write(rt::Label, b);
    EXPECT_EQ(physical(w.data()), c.records) << c.what;
    Record r = only_record(w.data());
    RecordCursor in(r);
    in.skip(c.lead);
    EXPECT_EQ(read_string(in), c.text) << c.what;
    EXPECT_TRUE(in.at_end()) << c.what;
  }
}

SharedStrings sample_strings(size_t count) {
  SharedStrings sst;
  sst.total_references = static_cast<uint32_t>(count * 2);
  for (size_t i = 0; i < count; ++i) {
    RichString s;
    s.text = (i % 3 == 0 ? u"\uD55C\uAE00 " : u"text ") + std::u16string(i % 50, u'a' + i % 26);
    if (i % 5 == 0) s.runs = {{0, 5}, {1, 6}};
    if (i % 7 == 0) {
      PhoneticText p;
      p.text = u"\u30AB\u30CA";
      p.runs = {{0, 0, 1}};
      s.phonetic = p;
    }
    sst.strings.push_back(std::move(s));
  }
  return sst;
}

TEST(SharedStringTable, RoundTripsAcrossContinueRecordsWithItsIndex) {
  SharedStrings sst = sample_strings(3000);
  RecordWriter w;
  w.write(rt::BOF, std::vector<uint8_t>(16, 0));
  write_shared_strings(w, sst);
  RecordReader reader(w.data());
  Record r;
  ASSERT_TRUE(reader.next(r));
  ASSERT_TRUE(reader.next(r));
  ASSERT_EQ(r.type, rt::SST);
  EXPECT_GT(r.boundaries.size(), 3u);
  SharedStrings back = read_shared_strings(r);
  EXPECT_EQ(back.total_references, sst.total_references);
  EXPECT_EQ(back.strings, sst.strings);

  ASSERT_TRUE(reader.next(r));
  ASSERT_EQ(r.type, rt::ExtSST);
  RecordCursor ext(r);
  size_t per_bucket = ext.u16();
  EXPECT_EQ(per_bucket, 24u);  // 3000 strings in at most 128 buckets
  const std::vector<uint8_t>& s = w.data();
  for (size_t i = 0; !ext.at_end(); i += per_bucket) {
    uint32_t at = ext.u32();
    uint16_t in_record = ext.u16();
    ext.skip(2);
    // The string's length field is at `at`; `in_record` bytes before it starts a record header.
    ASSERT_LT(at + 1, s.size());
    EXPECT_EQ(s[at] | s[at + 1] << 8, static_cast<int>(sst.strings[i].text.size())) << i;
    uint64_t header = at - in_record;
    uint16_t type = static_cast<uint16_t>(s[header] | s[header + 1] << 8);
    EXPECT_TRUE(type == rt::SST || type == rt::Continue) << i;
  }
}

TEST(SharedStringTable, RejectsACountTheRecordCannotHold) {
  Record r;
  r.type = rt::SST;
  r.data = {1, 0, 0, 0, 0xFF, 0xFF, 0, 0, 1, 0, 0, 'a'};
  EXPECT_THROW(read_shared_strings(r), FormatError);
  r.data = {1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 'a', 1, 0};
  EXPECT_THROW(read_shared_strings(r), FormatError);
}

TEST(RecordWriter, EncryptsAfterFilePassAndReadsBack) {
  uint8_t next = 0;
  crypto::NewEncryption enc = crypto::create_rc4_encryption(u"secret", [&](std::span<uint8_t> out) {
    for (uint8_t& b : out) b = next++;
  });
  RecordWriter w;
  const std::vector<uint8_t> bof = {0x00, 0x06, 0x05, 0x00};
  w.write(rt::BOF, bof);
  w.write(rt::FilePass, enc.filepass_payload);
  w.set_cipher(enc.cipher.get());
  PayloadBuilder sheet;
  sheet.u32(0);
  sheet.u8(0);
  sheet.u8(0);
  append_short_string(sheet, u"Data");
  uint64_t sheet_record = w.position();
  w.write(rt::BoundSheet8, sheet);
  SharedStrings sst = sample_strings(400);
  write_shared_strings(w, sst);
  w.write(rt::Eof, std::vector<uint8_t>{});
  w.patch_u32(sheet_record + 4, 0x12345678);

  const std::vector<uint8_t>& s = w.data();
  EXPECT_EQ(std::vector<uint8_t>(s.begin() + 4, s.begin() + 8), bof);  // BOF stays plain
  EXPECT_EQ(s[sheet_record + 4], 0x78);                                 // so does lbPlyPos

  RecordReader reader(s);
  std::unique_ptr<crypto::RecordCipher> cipher;
  Record r;
  std::vector<uint16_t> types;
  while (reader.next(r)) {
    types.push_back(r.type);
    if (r.type == rt::FilePass) {
      cipher = crypto::open_cipher(crypto::parse_filepass(r.data), u"secret");
      reader.set_cipher(cipher.get());
    } else if (r.type == rt::BoundSheet8) {
      RecordCursor c(r);
      EXPECT_EQ(c.u32(), 0x12345678u);
      c.skip(2);
      EXPECT_EQ(read_short_string(c), u"Data");
    } else if (r.type == rt::SST) {
      EXPECT_EQ(read_shared_strings(r).strings, sst.strings);
    }
  }
  EXPECT_EQ(types, (std::vector<uint16_t>{rt::BOF, rt::FilePass, rt::BoundSheet8, rt::SST, rt::ExtSST, rt::Eof}));
}

}  // namespace
}  // namespace tabrel::biff
