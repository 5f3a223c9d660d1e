// The record reader: CONTINUE gathering with its boundaries, the end of the stream (padding
// included), errors with their stream offsets, and which bytes go through the cipher.

#include <gtest/gtest.h>

#include "spreadsheet/biff/format_error.h"
#include "spreadsheet/biff/record_reader.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/crypto/record_cipher.h"
#include "stream_builder.h"

namespace tabrel::biff {
namespace {

using testing::make_stream;

TEST(RecordReader, GathersContinueRecordsAndKeepsTheirBoundaries) {
  std::vector<uint8_t> stream = make_stream({{rt::BOF, {1, 2, 3, 4}},
                                             {rt::SST, {10, 11, 12}},
                                             {rt::Continue, {13, 14}},
                                             {rt::Continue, {}},
                                             {rt::Continue, {15}},
                                             {rt::Eof, {}}});
  RecordReader reader(stream);
  Record r;
  ASSERT_TRUE(reader.next(r));
  EXPECT_EQ(r.type, rt::BOF);
  EXPECT_EQ(r.offset, 0u);
  EXPECT_TRUE(r.boundaries.empty());

  uint16_t next_type = 0;
  ASSERT_TRUE(reader.peek_type(next_type));
  EXPECT_EQ(next_type, rt::SST);
  ASSERT_TRUE(reader.next(r));
  EXPECT_EQ(r.type, rt::SST);
  EXPECT_EQ(r.offset, 8u);
  EXPECT_EQ(r.data, (std::vector<uint8_t>{10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(r.boundaries, (std::vector<size_t>{3, 5, 5}));
  EXPECT_EQ(r.continue_offsets, (std::vector<uint64_t>{15, 21, 25}));

  ASSERT_TRUE(reader.next(r));
  EXPECT_EQ(r.type, rt::Eof);
  EXPECT_TRUE(r.data.empty());
  EXPECT_FALSE(reader.next(r));

  reader.seek(8);
  ASSERT_TRUE(reader.next(r));
  EXPECT_EQ(r.type, rt::SST);
  EXPECT_THROW(reader.seek(stream.size() + 1), FormatError);
}

TEST(RecordReader, ZeroPaddingEndsTheStream) {
  std::vector<uint8_t> stream = make_stream({{rt::Eof, {}}});
  for (size_t pad : {1u, 3u, 4u, 700u}) {
    std::vector<uint8_t> padded = stream;
    padded.resize(stream.size() + pad, 0);
    RecordReader reader(padded);
    Record r;
    ASSERT_TRUE(reader.next(r));
    EXPECT_FALSE(reader.next(r)) << pad;
  }
}

TEST(RecordReader, DamagedStreamsRaiseWithTheOffset) {
  std::vector<uint8_t> good = make_stream({{rt::BOF, {1, 2, 3, 4}}});
  struct Case {
    const char* what;
    std::vector<uint8_t> stream;
    uint64_t offset;
  };
  std::vector<uint8_t> short_header = good;
  short_header.insert(short_header.end(), {0x0A, 0x00, 0x01});
  std::vector<uint8_t> long_payload = good;
  long_payload.insert(long_payload.end(), {0xFC, 0x00, 0x0A, 0x00, 1, 2, 3});
  std::vector<uint8_t> long_continue = good;
  long_continue.insert(long_continue.end(), {0x3C, 0x00, 0x05, 0x00, 1});
  const Case cases[] = {
      {"header cut short", short_header, 8},
      {"payload past the end", long_payload, 8},
      {"CONTINUE past the end", long_continue, 8},
  };
  for (const Case& c : cases) {
    RecordReader reader(c.stream);
    Record r;
    try {
      while (reader.next(r)) {
      }
      ADD_FAILURE() << c.what << " read without error";
    } catch (const FormatError& e) {
      EXPECT_EQ(e.offset(), c.offset) << c.what << ": " << e.what();
    }
  }
}

// Records every call and inverts the bytes it is given.
class RecordingCipher final : public crypto::RecordCipher {
 public:
  struct Call {
    uint64_t offset;
    size_t record_size;
    size_t length;
    bool operator==(const Call&) const = default;
  };
  std::vector<Call> calls;
  void decrypt(uint64_t offset, size_t record_size, std::span<uint8_t> bytes) override {
    calls.push_back({offset, record_size, bytes.size()});
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(~b);
  }
  void encrypt(uint64_t offset, size_t record_size, std::span<uint8_t> bytes) override {
    decrypt(offset, record_size, bytes);
  }
};

TEST(RecordReader, DecryptsAllButHeadersAndPlainRecords) {
  std::vector<uint8_t> stream = make_stream({{rt::BOF, {1, 2}},
                                             {rt::BoundSheet8, {1, 2, 3, 4, 0xF0, 0xF1}},
                                             {rt::Number, {0xAA}},
                                             {rt::Continue, {0xBB, 0xCC}}});
  RecordReader reader(stream);
  RecordingCipher cipher;
  reader.set_cipher(&cipher);
  Record r;
  ASSERT_TRUE(reader.next(r));
  EXPECT_EQ(r.data, (std::vector<uint8_t>{1, 2}));
  ASSERT_TRUE(reader.next(r));
  EXPECT_EQ(r.data, (std::vector<uint8_t>{1, 2, 3, 4, 0x0F, 0x0E}));
  ASSERT_TRUE(reader.next(r));
  EXPECT_EQ(r.data, (std::vector<uint8_t>{0x55, 0x44, 0x33}));
  EXPECT_EQ(cipher.calls, (std::vector<RecordingCipher::Call>{{6 + 8, 6, 2}, {20, 1, 1}, {25, 2, 2}}));
}

}  // namespace
}  // namespace tabrel::biff
