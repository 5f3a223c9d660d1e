// The record table: one entry per number and per name, lookups both ways, and the records an
// encrypted stream keeps plain.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "spreadsheet/biff/records.h"

namespace tabrel::biff {
namespace {

TEST(RecordTable, NumbersAndNamesAreUnique) {
  std::set<uint16_t> numbers;
  std::set<std::string> names;
  for (const RecordType& r : record_types()) {
    EXPECT_TRUE(numbers.insert(r.number).second) << r.name;
    std::string upper(r.name);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(names.insert(upper).second) << r.name;
  }
  EXPECT_GT(record_types().size(), 300u);
}

TEST(RecordTable, LooksUpBothWays) {
  const std::pair<const char*, uint16_t> cases[] = {
      {"BOF", 0x0809},      {"EOF", 0x000A},    {"BoundSheet8", 0x0085}, {"SST", 0x00FC},   {"ExtSST", 0x00FF},
      {"Continue", 0x003C}, {"FilePass", 0x002F}, {"Lbl", 0x0018},       {"LabelSst", 0x00FD}, {"MulRk", 0x00BD},
      {"ShrFmla", 0x04BC},  {"CF12", 0x087A},   {"Begin", 0x1033},       {"Series", 0x1003}, {"PhoneticInfo", 0x00EF},
      {"Date1904", 0x0022}, {"ObProj", 0x00D3}, {"SheetExt", 0x0862},    {"Fbi2", 0x1068},   {"Formula", 0x0006},
  };
  for (auto [name, number] : cases) {
    EXPECT_EQ(record_number(name), number) << name;
    EXPECT_EQ(record_number(record_name(number)), number) << name;
  }
  EXPECT_EQ(rt::SST, 0x00FC);
  EXPECT_EQ(record_name(0x0001), "");
  EXPECT_EQ(record_number("NoSuchRecord"), std::nullopt);
}

TEST(RecordTable, PlainPrefixes) {
  for (uint16_t whole : {rt::BOF, rt::FilePass, rt::UsrExcl, rt::FileLock, rt::InterfaceHdr, rt::RRDInfo, rt::RRDHead}) {
    EXPECT_EQ(plain_prefix_size(whole), SIZE_MAX) << record_name(whole);
  }
  EXPECT_EQ(plain_prefix_size(rt::BoundSheet8), 4u);
  EXPECT_EQ(plain_prefix_size(rt::SST), 0u);
  EXPECT_EQ(plain_prefix_size(rt::Continue), 0u);
}

}  // namespace
}  // namespace tabrel::biff
