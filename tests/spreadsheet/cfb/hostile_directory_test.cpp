// Directories that cost a naive reader a great deal: many entries pointing at the same sectors,
// and tens of thousands of entries in one storage. Work and memory are counted, not timed.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cfb_test_support.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/cfb/compound_writer.h"
#include "support/allocation_counter.h"
#include "support/directory_patch.h"

namespace tabrel::cfb {
namespace {

using testing::sample_bytes;

std::u16string numbered(const std::u16string& prefix, size_t i) {
  const std::string digits = std::to_string(i);
  return prefix + std::u16string(digits.begin(), digits.end());
}

TEST(HostileDirectory, EntriesOnTheSameSectorsShareOneCopy) {
  // 2000 streams of one byte, then every one of them redirected to the 64 KB stream "Big".
  constexpr size_t kCopies = 2000;
  CompoundWriter writer;
  writer.add_stream(u"Big", sample_bytes(65536, 1));
  std::vector<std::u16string> paths = {u"Big"};
  for (size_t i = 0; i < kCopies; ++i) {
    paths.push_back(numbered(u"Copy", i));
    writer.add_stream(paths.back(), {1});
  }
  std::vector<uint8_t> bytes = writer.finish();
  ASSERT_EQ(tabrel::test_support::point_entries_at(bytes, u"Big", u"Copy"), kCopies);

  const CompoundFile file = CompoundFile::open_view(bytes);
  const tabrel::test_support::AllocationCounter counter;
  const std::vector<CompoundFile::SharedBytes> streams = file.read_streams(paths);
  if (tabrel::test_support::AllocationCounter::active()) {
    EXPECT_LT(counter.since().bytes, 2 * bytes.size());
  }
  ASSERT_EQ(streams.size(), paths.size());
  ASSERT_NE(streams[0], nullptr);
  EXPECT_EQ(*streams[0], sample_bytes(65536, 1));
  for (const auto& s : streams) EXPECT_EQ(s.get(), streams[0].get());
}

TEST(HostileDirectory, TensOfThousandsOfEntriesAreFoundByName) {
  constexpr size_t kEntries = 30000;
  CompoundWriter writer;
  writer.add_stream(u"Workbook", sample_bytes(5000, 3));
  for (size_t i = 0; i < kEntries; ++i) writer.add_stream(numbered(u"a rather long stream name ", i), {});
  const std::vector<uint8_t> bytes = writer.finish();
  const CompoundFile file = CompoundFile::open_view(bytes);

  // Names this long are compared through upper-cased copies, so allocations count comparisons.
  const tabrel::test_support::AllocationCounter counter;
  EXPECT_TRUE(file.exists(u"A RATHER LONG STREAM NAME 29999"));
  EXPECT_FALSE(file.exists(u"a rather long stream name 30000"));
  EXPECT_TRUE(file.exists(u"workbook"));
  if (tabrel::test_support::AllocationCounter::active()) {
    EXPECT_LT(counter.since().calls, 200u);
  }
  EXPECT_EQ(file.read_stream(u"Workbook"), sample_bytes(5000, 3));
  EXPECT_EQ(file.entries().size(), kEntries + 1);
}

TEST(HostileDirectory, AViewedFileReadsLikeAnOwnedOne) {
  CompoundWriter writer;
  writer.add_stream(u"Workbook", sample_bytes(10000, 1));
  writer.add_stream(u"VBA/dir", sample_bytes(100, 2));
  const std::vector<uint8_t> bytes = writer.finish();
  const CompoundFile viewed = CompoundFile::open_view(bytes, Mode::Strict);
  const CompoundFile owned = CompoundFile::open(bytes, Mode::Strict);
  EXPECT_EQ(viewed.entries(), owned.entries());
  EXPECT_EQ(viewed.read_stream(u"vba/DIR"), sample_bytes(100, 2));
  const std::vector<std::u16string> paths = {u"Workbook", u"VBA", u"missing", u"VBA/dir"};
  const auto streams = viewed.read_streams(paths);
  ASSERT_EQ(streams.size(), 4u);
  EXPECT_EQ(*streams[0], sample_bytes(10000, 1));
  EXPECT_EQ(streams[1], nullptr) << "a storage";
  EXPECT_EQ(streams[2], nullptr);
  EXPECT_EQ(*streams[3], sample_bytes(100, 2));
}

}  // namespace
}  // namespace tabrel::cfb
