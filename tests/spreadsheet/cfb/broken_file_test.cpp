// Damaged files built in the test: a valid file from the writer with a few bytes changed, or a
// header written field by field. Each must raise its error with the exact message.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cfb_test_support.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/cfb/compound_writer.h"
#include "spreadsheet/cfb/header.h"

namespace tabrel::cfb {
namespace {

using testing::expect_error;
using testing::put_u16;
using testing::put_u32;
using testing::sample_bytes;

// The writer's layout for these three streams, in 512-byte sectors: FAT 0, directory 1
// (entries: 0 root, 1 "Other", 2 "Small", 3 "Workbook"; "Small" is the root of the siblings),
// mini FAT 2, mini stream 3, "Other" 4-11, "Workbook" 12-31. The file has 16896 bytes.
std::vector<uint8_t> sample_file() {
  CompoundWriter writer;
  writer.add_stream(u"Workbook", sample_bytes(10000, 1));
  writer.add_stream(u"Small", sample_bytes(200, 2));
  writer.add_stream(u"Other", sample_bytes(4096, 3));
  return writer.finish();
}

size_t fat_entry(uint32_t sector) { return 512 + 4 * sector; }
size_t minifat_entry(uint32_t mini_sector) { return 3 * 512 + 4 * mini_sector; }
size_t entry_field(uint32_t entry, size_t field) { return 2 * 512 + 128 * entry + field; }
constexpr size_t kLeft = 68, kRight = 72, kStart = 116, kSize = 120, kNameLength = 64;

TEST(BrokenFile, SampleLayoutIsAsTheCasesAssume) {
  const std::vector<uint8_t> bytes = sample_file();
  ASSERT_EQ(bytes.size(), 16896u);
  const CompoundFile file = CompoundFile::open(bytes, Mode::Strict);
  EXPECT_EQ(file.read_stream(u"Workbook"), sample_bytes(10000, 1));
  EXPECT_EQ(bytes[entry_field(3, 0)], 'W');
  EXPECT_EQ(bytes[entry_field(3, kStart)], 12);
  EXPECT_EQ(bytes[entry_field(0, 76)], 2) << "root's child is Small";
}

struct Damage {
  std::string name;
  std::function<void(std::vector<uint8_t>&)> apply;
  ErrorCode code;
  std::string message;
  bool on_open;  // false: the permissive open succeeds and reading "Workbook" or "Small" fails
};

const std::vector<Damage>& damages() {
  static const std::vector<Damage> cases = {
      {"bad signature", [](auto& b) { b[0] = 0xD1; }, ErrorCode::BadSignature,
       "not a compound file: bad signature at offset 0", true},
      {"truncated header", [](auto& b) { b.resize(100); }, ErrorCode::TruncatedHeader,
       "compound file header truncated: 100 of 512 bytes", true},
      {"sector shift", [](auto& b) { put_u16(b, 30, 10); }, ErrorCode::BadHeader,
       "invalid sector shift 10 at offset 30", true},
      {"byte order", [](auto& b) { put_u16(b, 28, 0xFEFF); }, ErrorCode::BadHeader,
       "bad byte order mark 0xFEFF at offset 28", true},
      {"major version", [](auto& b) { put_u16(b, 26, 5); }, ErrorCode::BadHeader,
       "unsupported major version 5 at offset 26", true},
      {"mini sector shift", [](auto& b) { put_u16(b, 32, 7); }, ErrorCode::BadHeader,
       "invalid mini sector shift 7 at offset 32", true},
      {"FAT sector count beyond the file", [](auto& b) { put_u32(b, 44, 8388609); }, ErrorCode::BadHeader,
       "header counts 8388609 FAT sectors at offset 44, the file holds 32 sectors", true},
      {"FAT loop", [](auto& b) { put_u32(b, fat_entry(15), 13); }, ErrorCode::ChainLoop,
       "chain of stream \"Workbook\" visits sector 13 twice", false},
      {"chain past the end of the file",
       [](auto& b) {
         put_u32(b, fat_entry(30), 100);
         put_u32(b, fat_entry(100), 0xFFFFFFFE);
       },
       ErrorCode::SectorPastEnd,
       "sector 100 of stream \"Workbook\" starts past the end of the file (offset 51712, file size 16896)",
       false},
      {"sector id beyond the FAT", [](auto& b) { put_u32(b, fat_entry(20), 500); }, ErrorCode::BadSectorId,
       "chain of stream \"Workbook\" holds sector id 500 after 9 sectors, beyond the 128 entries of its table",
       false},
      {"free sector inside a chain", [](auto& b) { put_u32(b, fat_entry(20), 0xFFFFFFFF); },
       ErrorCode::BadSectorId, "chain of stream \"Workbook\" holds invalid sector id 0xFFFFFFFF after 9 sectors",
       false},
      {"size larger than the chain", [](auto& b) { put_u32(b, entry_field(3, kSize), 20000); },
       ErrorCode::ChainTooShort, "chain of stream \"Workbook\" ends after 20 sectors, its size needs 40", false},
      {"mini chain loop", [](auto& b) { put_u32(b, minifat_entry(2), 1); }, ErrorCode::ChainLoop,
       "chain of stream \"Small\" visits mini sector 1 twice", false},
      {"sibling loop", [](auto& b) { put_u32(b, entry_field(3, kLeft), 2); }, ErrorCode::DirectoryLoop,
       "directory entry 2 is reached twice through sibling or child links", true},
      {"sibling link to the root", [](auto& b) { put_u32(b, entry_field(1, kLeft), 0); },
       ErrorCode::DirectoryLoop, "directory entry 0 is reached twice through sibling or child links", true},
      {"sibling link out of range", [](auto& b) { put_u32(b, entry_field(1, kRight), 9); },
       ErrorCode::BadDirectoryEntry, "directory entry 1 links to entry 9, beyond the 4 entries", true},
      {"name too long", [](auto& b) { put_u16(b, entry_field(2, kNameLength), 66); },
       ErrorCode::BadDirectoryEntry, "directory entry 2 at offset 1280 has name length 66, more than 64", true},
  };
  return cases;
}

void read_all_streams(const CompoundFile& file) {
  for (const Entry& entry : file.entries())
    if (entry.type == EntryType::Stream) file.read_stream(entry.path);
}

TEST(BrokenFile, EachDamageRaisesItsErrorInBothModes) {
  for (const Damage& d : damages()) {
    SCOPED_TRACE(d.name);
    std::vector<uint8_t> bytes = sample_file();
    d.apply(bytes);
    expect_error([&] { CompoundFile::open(bytes, Mode::Strict); }, d.code, d.message);
    if (d.on_open) {
      expect_error([&] { CompoundFile::open(bytes, Mode::Permissive); }, d.code, d.message);
    } else {
      const CompoundFile file = CompoundFile::open(bytes, Mode::Permissive);
      expect_error([&] { read_all_streams(file); }, d.code, d.message);
    }
  }
}

// What real writers get wrong: tolerated when permissive, refused when strict.
TEST(BrokenFile, PermissiveToleratesWhatStrictRefuses) {
  struct Case {
    std::string name;
    std::function<void(std::vector<uint8_t>&)> apply;
    ErrorCode code;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"file cut in the last sector's padding", [](auto& b) { b.resize(16656); }, ErrorCode::BadFileSize,
       "file size 16656 is not a whole number of 512-byte sectors"},
      {"minor version", [](auto& b) { put_u16(b, 24, 0x21); }, ErrorCode::BadHeader,
       "unexpected minor version 0x0021 at offset 24"},
      {"sector shift of the other version", [](auto& b) { put_u16(b, 26, 4); }, ErrorCode::BadHeader,
       "sector shift 9 does not match major version 4 at offset 30"},
      {"stale header DIFAT entry", [](auto& b) { put_u32(b, 80, 0); }, ErrorCode::BadHeader,
       "header DIFAT entry 1 at offset 80 holds 0x00000000 after the last FAT sector"},
      {"two streams share a sector", [](auto& b) { put_u32(b, fat_entry(10), 31); }, ErrorCode::SectorShared,
       "sector 31 is used by both stream \"Other\" and stream \"Workbook\""},
      {"chain longer than its size", [](auto& b) { put_u32(b, entry_field(3, kSize), 9000); },
       ErrorCode::ChainTooLong, "chain of stream \"Workbook\" continues past the 18 sectors its size needs"},
      {"root name without its NUL", [](auto& b) { put_u16(b, entry_field(0, kNameLength), 2); },
       ErrorCode::BadDirectoryEntry, "directory entry 0 at offset 1024 has a name without its terminating NUL"},
      {"siblings out of order", [](auto& b) { b[entry_field(1, 0)] = 'Z'; }, ErrorCode::BadSiblingOrder,
       "directory entry 2 \"Small\" does not sort after its sibling 1 \"Zther\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> bytes = sample_file();
    c.apply(bytes);
    expect_error([&] { CompoundFile::open(bytes, Mode::Strict); }, c.code, c.message);
    const CompoundFile file = CompoundFile::open(bytes, Mode::Permissive);
    EXPECT_NO_THROW(read_all_streams(file));
  }
}

TEST(BrokenFile, FileCutShortOfTheLastSector) {
  std::vector<uint8_t> bytes = sample_file();
  bytes.resize(16656);  // the padding after the last 272 bytes of "Workbook" is gone
  EXPECT_EQ(CompoundFile::open(bytes).read_stream(u"Workbook"), sample_bytes(10000, 1));
  bytes.resize(16500);  // now its data too
  const CompoundFile file = CompoundFile::open(bytes);
  expect_error([&] { file.read_stream(u"Workbook"); }, ErrorCode::StreamTruncated,
               "stream \"Workbook\" runs past the end of the file in sector 31");
}

TEST(BrokenFile, HighSizeBitsCountOnlyInVersion4) {
  std::vector<uint8_t> v3 = sample_file();
  put_u32(v3, entry_field(3, kSize + 4), 1);
  EXPECT_EQ(CompoundFile::open(v3, Mode::Strict).read_stream(u"Workbook"), sample_bytes(10000, 1));

  CompoundWriter writer;
  writer.add_stream(u"Workbook", sample_bytes(10000, 1));
  std::vector<uint8_t> v4 = writer.finish(SectorSize::Bytes4096);
  const size_t workbook_size_high = 2 * 4096 + 128 * 1 + kSize + 4;  // directory in sector 1
  put_u32(v4, workbook_size_high, 1);
  expect_error([&] { CompoundFile::open(v4).read_stream(u"Workbook"); }, ErrorCode::ChainTooShort,
               "chain of stream \"Workbook\" ends after 3 sectors, its size needs 1048579");
}

// A header that lists 240 FAT sectors: 109 in the header and the rest in DIFAT sectors from
// sector 109 on. The file holds 250 empty sectors, so every id is in range.
std::vector<uint8_t> file_with_difat(uint32_t difat_next) {
  Header header;
  header.fat_sectors = 240;
  header.first_difat_sector = 109;
  header.difat_sectors = 2;
  for (uint32_t i = 0; i < kHeaderDifatEntries; ++i) header.difat[i] = i;
  std::vector<uint8_t> bytes = write_header(header);
  bytes.resize(512 + 250 * 512, 0xFF);
  const size_t difat_at = 512 + 109 * 512;
  for (uint32_t i = 0; i < 127; ++i) put_u32(bytes, difat_at + 4 * i, 110 + i);
  put_u32(bytes, difat_at + 4 * 127, difat_next);
  return bytes;
}

TEST(BrokenFile, DifatChainLoopsOrEndsEarly) {
  for (Mode mode : {Mode::Strict, Mode::Permissive}) {
    expect_error([&] { CompoundFile::open(file_with_difat(109), mode); }, ErrorCode::ChainLoop,
                 "chain of the DIFAT visits sector 109 twice");
    expect_error([&] { CompoundFile::open(file_with_difat(0xFFFFFFFE), mode); }, ErrorCode::ChainTooShort,
                 "chain of the DIFAT ends after 1 sectors with 4 FAT sectors still to list");
  }
}

TEST(BrokenFile, MissingEntriesAndStorages) {
  CompoundWriter writer;
  writer.add_stream(u"VBA/dir", sample_bytes(10, 1));
  const CompoundFile file = CompoundFile::open(writer.finish());
  expect_error([&] { file.read_stream(u"Workbook"); }, ErrorCode::NotFound,
               "no entry \"Workbook\" in the compound file");
  expect_error([&] { file.read_stream(u"vba"); }, ErrorCode::NotAStream, "\"vba\" is a storage, not a stream");
  EXPECT_FALSE(file.exists(u"VBA/dir/x"));
  EXPECT_FALSE(file.exists(u""));
  EXPECT_FALSE(file.exists(u"VBA/"));
}

}  // namespace
}  // namespace tabrel::cfb
