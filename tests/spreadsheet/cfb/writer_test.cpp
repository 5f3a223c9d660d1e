#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cfb_test_support.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/cfb/compound_writer.h"
#include "spreadsheet/core/text.h"

namespace tabrel::cfb {
namespace {

using testing::expect_error;
using testing::sample_bytes;

TEST(CompoundWriter, RefusesInvalidNames) {
  const std::vector<std::pair<std::u16string, std::string>> cases = {
      {u"", "invalid name \"\" in path \"\""},
      {u"a//b", "invalid name \"\" in path \"a//b\""},
      {u"/a", "invalid name \"\" in path \"/a\""},
      {u"a/", "invalid name \"\" in path \"a/\""},
      {u"a:b", "invalid name \"a:b\" in path \"a:b\""},
      {u"x/a!b", "invalid name \"a!b\" in path \"x/a!b\""},
      {u"a\\b", "invalid name \"a\\b\" in path \"a\\b\""},
      {std::u16string(32, u'n'), "invalid name \"" + std::string(32, 'n') + "\" in path \"" + std::string(32, 'n') + "\""},
  };
  for (const auto& [path, message] : cases) {
    CompoundWriter writer;
    const std::u16string& name = path;  // clang 14 cannot capture a structured binding
    expect_error([&] { writer.add_stream(name, {}); }, ErrorCode::BadPath, message);
    expect_error([&] { writer.add_storage(name); }, ErrorCode::BadPath, message);
  }
}

TEST(CompoundWriter, NamesAreUniqueIgnoringCase) {
  CompoundWriter writer;
  writer.add_stream(u"Workbook", {});
  writer.add_storage(u"VBA");
  writer.add_storage(u"vba");  // the same storage again: nothing to do
  expect_error([&] { writer.add_stream(u"WORKBOOK", {}); }, ErrorCode::DuplicateEntry,
               "entry \"WORKBOOK\" exists already");
  expect_error([&] { writer.add_storage(u"workbook"); }, ErrorCode::DuplicateEntry,
               "entry \"workbook\" exists already");
  expect_error([&] { writer.add_stream(u"Vba", {}); }, ErrorCode::DuplicateEntry, "entry \"Vba\" exists already");
  expect_error([&] { writer.add_stream(u"Workbook/x", {}); }, ErrorCode::BadPath,
               "\"Workbook\" in path \"Workbook/x\" is a stream, not a storage");
}

TEST(CompoundWriter, LongAndNonAsciiNamesRoundTrip) {
  const std::u16string longest(31, u'L');
  CompoundWriter writer;
  writer.add_stream(longest, sample_bytes(3, 1));
  writer.add_stream(u"모듈/Caf\u00e9", sample_bytes(5000, 2));
  const CompoundFile file = CompoundFile::open(writer.finish(), Mode::Strict);
  EXPECT_EQ(file.read_stream(longest), sample_bytes(3, 1));
  EXPECT_EQ(file.read_stream(u"모듈/CAF\u00c9"), sample_bytes(5000, 2));
  EXPECT_EQ(file.find(u"모듈/CAF\u00c9")->path, u"모듈/Caf\u00e9") << "find gives the stored names";
}

}  // namespace
}  // namespace tabrel::cfb

namespace tabrel::cfb {
namespace {

std::u16string nested_storages(int depth) {
  std::u16string path;
  for (int i = 0; i < depth; ++i) path += (i == 0 ? u"S" : u"/S") + std::u16string(1, static_cast<char16_t>(u'a' + i % 26));
  return path;
}

TEST(CompoundWriter, StoragesNestThirtyTwoLevelsDeep) {
  CompoundWriter writer;
  writer.add_stream(nested_storages(32) + u"/s", {});
  expect_error([&] { writer.add_storage(nested_storages(33)); }, ErrorCode::BadPath,
               "path \"" + to_utf8(nested_storages(33)) + "\" nests storages deeper than 32 levels");
  expect_error([&] { writer.add_stream(nested_storages(33) + u"/s", {}); }, ErrorCode::BadPath,
               "path \"" + to_utf8(nested_storages(33) + u"/s") + "\" nests storages deeper than 32 levels");
  std::vector<uint8_t> bytes = writer.finish();
  EXPECT_TRUE(CompoundFile::open(bytes, Mode::Strict).exists(nested_storages(32) + u"/s"));

  // Entries: 0 root, 1-32 the storages, 33 the stream, four to a sector from sector 1 on.
  // Turning the stream into a storage nests one level too deep.
  bytes.at((1 + 1 + 33 / 4) * 512 + (33 % 4) * 128 + 66) = 1;
  expect_error([&] { CompoundFile::open(bytes); }, ErrorCode::DirectoryTooDeep,
               "storages nested deeper than 32 levels at directory entry 33");
}

}  // namespace
}  // namespace tabrel::cfb
