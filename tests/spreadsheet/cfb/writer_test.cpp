#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cfb_test_support.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/cfb/compound_writer.h"

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
    expect_error([&] { writer.add_stream(path, {}); }, ErrorCode::BadPath, message);
    expect_error([&] { writer.add_storage(path); }, ErrorCode::BadPath, message);
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
