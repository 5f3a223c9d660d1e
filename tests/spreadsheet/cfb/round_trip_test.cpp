#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cfb_test_support.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/cfb/compound_writer.h"

namespace tabrel::cfb {
namespace {

using testing::sample_bytes;

struct StreamSpec {
  std::u16string path;
  size_t size;
};

// Writes the streams, reopens the file strictly and compares tree and bytes.
void expect_round_trip(const std::vector<StreamSpec>& streams, SectorSize sector_size) {
  CompoundWriter writer;
  for (size_t i = 0; i < streams.size(); ++i)
    writer.add_stream(streams[i].path, sample_bytes(streams[i].size, static_cast<uint8_t>(i)));
  const std::vector<uint8_t> bytes = writer.finish(sector_size);
  const CompoundFile file = CompoundFile::open(bytes, Mode::Strict);
  EXPECT_EQ(file.sector_size(), sector_size == SectorSize::Bytes512 ? 512u : 4096u);
  EXPECT_EQ(file.major_version(), sector_size == SectorSize::Bytes512 ? 3 : 4);
  size_t listed_streams = 0;
  for (const Entry& entry : file.entries()) listed_streams += entry.type == EntryType::Stream;
  EXPECT_EQ(listed_streams, streams.size());
  for (size_t i = 0; i < streams.size(); ++i) {
    const std::optional<Entry> entry = file.find(streams[i].path);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->size, streams[i].size);
    EXPECT_EQ(file.read_stream(streams[i].path), sample_bytes(streams[i].size, static_cast<uint8_t>(i)));
  }
  EXPECT_EQ(writer.finish(sector_size), bytes) << "output must be deterministic";
}

TEST(CompoundRoundTrip, MiniAndRegularStreamsAroundTheCutoff) {
  const std::vector<StreamSpec> streams = {
      {u"Workbook", 10000},
      {u"\x05SummaryInformation", 0},
      {u"_VBA_PROJECT_CUR/PROJECT", 4095},
      {u"_VBA_PROJECT_CUR/VBA/dir", 1},
      {u"_VBA_PROJECT_CUR/VBA/Module1", 4096},
      {u"_VBA_PROJECT_CUR/VBA/_VBA_PROJECT", 64},
      {u"MBD0001/\x01Ole", 65},
  };
  expect_round_trip(streams, SectorSize::Bytes512);
  expect_round_trip(streams, SectorSize::Bytes4096);
}

TEST(CompoundRoundTrip, ManyEntriesInSeveralStorages) {
  std::vector<StreamSpec> streams;
  for (int i = 0; i < 600; ++i) {
    const std::u16string storage = u"S" + std::u16string(1, static_cast<char16_t>(u'a' + i % 7));
    streams.push_back({storage + u"/stream" + std::u16string(1, static_cast<char16_t>(u'A' + i / 26 % 26)) +
                           std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) +
                           std::u16string(static_cast<size_t>(i / 676), u'x'),
                       static_cast<size_t>(i * 37 % 9000)});
  }
  expect_round_trip(streams, SectorSize::Bytes512);
}

// More than 109 FAT sectors: the FAT is listed by DIFAT sectors too (512-byte sectors hold 128
// ids, so 110 FAT sectors cover about 7 MB and 237 need a second DIFAT sector).
TEST(CompoundRoundTrip, LargeStreamNeedsDifatSectors) {
  expect_round_trip({{u"Workbook", 7300000}, {u"Small", 100}}, SectorSize::Bytes512);
  expect_round_trip({{u"Workbook", 15600000}}, SectorSize::Bytes512);
}

TEST(CompoundRoundTrip, EmptyFileHasOnlyTheRoot) {
  const CompoundFile file = CompoundFile::open(CompoundWriter().finish(), Mode::Strict);
  EXPECT_TRUE(file.entries().empty());
  EXPECT_FALSE(file.exists(u"Workbook"));
}

TEST(CompoundRoundTrip, StoragesListedDepthFirstInSiblingOrder) {
  CompoundWriter writer;
  writer.add_storage(u"Empty");
  writer.add_stream(u"B/long name", sample_bytes(10, 1));
  writer.add_stream(u"b/z", sample_bytes(5000, 2));
  writer.add_stream(u"Workbook", sample_bytes(20, 3));
  writer.add_storage(u"B");
  const CompoundFile file = CompoundFile::open(writer.finish(), Mode::Strict);
  const std::vector<Entry> expected = {
      {u"B", EntryType::Storage, 0},
      {u"B/z", EntryType::Stream, 5000},
      {u"B/long name", EntryType::Stream, 10},
      {u"Empty", EntryType::Storage, 0},
      {u"Workbook", EntryType::Stream, 20},
  };
  EXPECT_EQ(file.entries(), expected);
}

}  // namespace
}  // namespace tabrel::cfb
