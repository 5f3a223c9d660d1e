#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/cfb/compound_writer.h"

namespace tabrel::cfb {
namespace {

std::vector<uint8_t> pattern(size_t size, uint8_t seed) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
  return bytes;
}

TEST(CompoundRoundTrip, SmallAndLargeStreamsInNestedStorages) {
  for (SectorSize sector_size : {SectorSize::Bytes512, SectorSize::Bytes4096}) {
    CompoundWriter writer;
    writer.add_stream(u"Workbook", pattern(10000, 1));
    writer.add_stream(u"_VBA_PROJECT_CUR/VBA/dir", pattern(300, 2));
    writer.add_stream(u"_VBA_PROJECT_CUR/PROJECT", pattern(4095, 3));
    writer.add_stream(u"_VBA_PROJECT_CUR/VBA/Module1", pattern(4096, 4));
    writer.add_stream(u"\x05SummaryInformation", {});
    const CompoundFile file = CompoundFile::open(writer.finish(sector_size), Mode::Strict);
    EXPECT_EQ(file.read_stream(u"workbook"), pattern(10000, 1));
    EXPECT_EQ(file.read_stream(u"_vba_project_cur/vba/DIR"), pattern(300, 2));
    EXPECT_EQ(file.read_stream(u"_VBA_PROJECT_CUR/PROJECT"), pattern(4095, 3));
    EXPECT_EQ(file.read_stream(u"_VBA_PROJECT_CUR/VBA/Module1"), pattern(4096, 4));
    EXPECT_TRUE(file.read_stream(u"\x05SummaryInformation").empty());
    EXPECT_TRUE(file.exists(u"_VBA_PROJECT_CUR/VBA"));
    EXPECT_FALSE(file.exists(u"VBA"));
  }
}

}  // namespace
}  // namespace tabrel::cfb
