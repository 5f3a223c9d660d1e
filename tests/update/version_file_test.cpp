// Version.txt: its lines and the entries of its file list.

#include <gtest/gtest.h>

#include "update/update_fixture.h"
#include "update/version_file.h"

namespace tabrel::update::testing {
namespace {

TEST(VersionFileTest, LinesEndWithCrLfCrOrLf) {
  const fs::path file = fs::temp_directory_path() / ("tabrel-version-" + std::to_string(::getpid()) + ".txt");
  struct Case {
    std::string text;
    std::optional<std::vector<std::string>> lines;
  };
  const Case cases[] = {
      {"2.0\r\na.dll|b.dll\r\nmore\r\n", std::vector<std::string>{"2.0", "a.dll|b.dll"}},
      {"2.0\ra.dll", std::vector<std::string>{"2.0", "a.dll"}},
      {"2.0\na.dll\n", std::vector<std::string>{"2.0", "a.dll"}},
      {"2.0\r\n\r\n", std::vector<std::string>{"2.0", ""}},
      {"2.0\r\n", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    WriteFile(file, c.text);
    EXPECT_EQ(ReadFirstLines(file, 2), c.lines);
  }
  fs::remove(file);
  EXPECT_EQ(ReadFirstLines(file, 1), std::nullopt);
}

TEST(VersionFileTest, EntriesNameTheirFolderAndRemoteName) {
  const auto entries = ParseFileList("x.dll|/a/b/y.dll|/z.dll|한글.dat|.hidden");
  ASSERT_TRUE(entries.has_value());
  ASSERT_EQ(entries->size(), 5u);
  auto expect = [&](size_t i, bool has_folder, const std::string& folder, const std::string& name) {
    EXPECT_EQ((*entries)[i].has_folder, has_folder) << i;
    EXPECT_EQ((*entries)[i].folder_part, folder) << i;
    EXPECT_EQ((*entries)[i].remote_name, name) << i;
  };
  expect(0, false, "", "x.dll");
  expect(1, true, "/a/b", "y.dll");
  expect(2, true, "", "z.dll");
  expect(3, false, "", "한글.dat");
  expect(4, false, "", ".hidden");
  EXPECT_EQ(ParseFileList("")->size(), 0u);
}

TEST(VersionFileTest, ListsOfTooManyEntriesAreRefused) {
  std::string list = "a";
  for (int i = 1; i < 32767; ++i) list += "|a";
  EXPECT_EQ(ParseFileList(list)->size(), 32767u);
  EXPECT_FALSE(ParseFileList(list + "|a").has_value());
}

}  // namespace
}  // namespace tabrel::update::testing
