// Update.ini through the profile functions: the desktop's matching, trimming and buffer rules.

#include <gtest/gtest.h>

#include "update/mod_update.h"
#include "update/profile_file.h"
#include "update/update_fixture.h"

namespace tabrel::update::testing {
namespace {

class ProfileFileTest : public ::testing::Test {
 protected:
  fs::path file = fs::temp_directory_path() / ("tabrel-profile-" + std::to_string(::getpid()) + ".ini");
  ~ProfileFileTest() override { fs::remove(file); }

  // What the update reads: the buffer of 255 characters, trimmed and cut at its NUL.
  std::string Read(const std::string& default_value = "1") {
    std::string buffer(kProfileBufferSize, ' ');
    GetPrivateProfileString("Update", "UPDATE_VERSION", default_value, buffer, file);
    return TrimAtNull(buffer);
  }
};

TEST_F(ProfileFileTest, ReadsTheValueAsTheDesktopDoes) {
  struct Case {
    const char* text;  // nullptr: no file
    const char* value;
  };
  const Case cases[] = {
      {nullptr, "1"},
      {"", "1"},
      {"[Other]\r\nUPDATE_VERSION=9\r\n", "1"},
      {"[Update]\r\nOTHER=9\r\n", "1"},
      {"[Update]\r\nUPDATE_VERSION=2.5\r\n", "2.5"},
      {"[update]\nupdate_version = 2.5 \n", "2.5"},
      {"  [ Update ]  \r\n\tUPDATE_VERSION\t=\t\"3.0\"\r\n", "3.0"},
      {"[Update]\r\nUPDATE_VERSION=\r\n", ""},
      {"[Update]\r\n;UPDATE_VERSION=7\r\nUPDATE_VERSION=8\r\n", "8"},
      {"[Update]\r\nUPDATE_VERSION=4\r\n[Next]\r\nUPDATE_VERSION=5\r\n", "4"},
      {"[Update]\r\nUPDATE_VERSION=4\r\nUPDATE_VERSION=5\r\n", "4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text ? c.text : "(no file)");
    fs::remove(file);
    if (c.text) WriteFile(file, c.text);
    EXPECT_EQ(Read(), c.value);
  }
}

TEST_F(ProfileFileTest, BufferHoldsAtMostOneCharacterLessThanItsSize) {
  WriteFile(file, "[Update]\r\nUPDATE_VERSION=" + std::string(300, '7') + "\r\n");
  EXPECT_EQ(Read(), std::string(254, '7'));
  std::string small(4, '#');
  EXPECT_EQ(GetPrivateProfileString("Update", "UPDATE_VERSION", "", small, file), 3u);
  EXPECT_EQ(small, std::string("777\0", 4));
  std::string none;
  EXPECT_EQ(GetPrivateProfileString("Update", "UPDATE_VERSION", "", none, file), 0u);
  EXPECT_EQ(Read("default  "), std::string(254, '7'));
  fs::remove(file);
  EXPECT_EQ(Read("  9  "), "9");
}

TEST_F(ProfileFileTest, WritingReplacesOnlyTheValue) {
  ASSERT_TRUE(WritePrivateProfileString("Update", "UPDATE_VERSION", "2", file));
  EXPECT_EQ(ReadFile(file), "[Update]\r\nUPDATE_VERSION=2\r\n");

  WriteFile(file, "; settings\r\n[Other]\r\nA=1\r\n\r\n[update]\r\nB=2\r\nupdate_version=1\r\n\r\n[Last]\r\nC=3\r\n");
  ASSERT_TRUE(WritePrivateProfileString("Update", "UPDATE_VERSION", "2.1", file));
  EXPECT_EQ(ReadFile(file), "; settings\r\n[Other]\r\nA=1\r\n\r\n[update]\r\nB=2\r\nUPDATE_VERSION=2.1\r\n\r\n[Last]\r\nC=3\r\n");

  WriteFile(file, "[Update]\r\nB=2\r\n\r\n[Last]\r\nC=3\r\n");
  ASSERT_TRUE(WritePrivateProfileString("Update", "UPDATE_VERSION", "5", file));
  EXPECT_EQ(ReadFile(file), "[Update]\r\nB=2\r\nUPDATE_VERSION=5\r\n\r\n[Last]\r\nC=3\r\n");

  WriteFile(file, "[Other]\r\nA=1");
  ASSERT_TRUE(WritePrivateProfileString("Update", "UPDATE_VERSION", "6", file));
  EXPECT_EQ(ReadFile(file), "[Other]\r\nA=1\r\n\r\n[Update]\r\nUPDATE_VERSION=6\r\n");
  EXPECT_EQ(Read(), "6");
}

TEST_F(ProfileFileTest, RefusedWritesLeaveTheFileAsItWas) {
  WriteFile(file, "[Update]\r\nUPDATE_VERSION=1\r\n");
  EXPECT_FALSE(WritePrivateProfileString("Update", "UPDATE_VERSION", "2\r\n[Evil]", file));
  EXPECT_FALSE(WritePrivateProfileString("Update", "UPDATE_VERSION", "2", fs::path("/nonexistent-folder") / "Update.ini"));
  EXPECT_EQ(ReadFile(file), "[Update]\r\nUPDATE_VERSION=1\r\n");
}

TEST(TrimAtNullTest, TrimsBlanksThenCutsAtTheFirstNul) {
  EXPECT_EQ(TrimAtNull(std::string("2.0\0    ", 8)), "2.0");
  EXPECT_EQ(TrimAtNull(std::string("  2 \0 x", 7)), "2 ");
  EXPECT_EQ(TrimAtNull("  1.5  "), "1.5");
  EXPECT_EQ(TrimAtNull(std::string("\0", 1)), "");
  EXPECT_EQ(TrimAtNull(""), "");
}

}  // namespace
}  // namespace tabrel::update::testing
