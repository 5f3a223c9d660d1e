// The updater on a scratch program folder, with small scripts standing in for the grader: a
// grader that runs holds the program folder's lock as the real one does.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "update/program_lock.h"
#include "update/start_program.h"
#include "update/update_fixture.h"
#include "update/updater.h"

namespace tabrel::update::testing {
namespace {

using namespace std::chrono_literals;

// A grader that notes which copy started and what the kept copy of a.dll held, then runs
// holding the lock.
std::string Grader(const std::string& which) {
  return "#!/bin/sh\necho " + which + " >> started.txt\ncat Update.old/a.dll > kept.txt 2>/dev/null\n" +
         "exec flock -s tabrel-grader.lock sleep 3 2>/dev/null\n";
}

class UpdaterTest : public ::testing::Test {
 protected:
  shell::testing::ProgramFolder folder;
  const UpdaterWaits waits{3s, 10s};

  fs::path At(const std::string& name) const { return folder.path() / name; }
  void Install(const std::string& name, const std::string& bytes, bool executable = false) const {
    WriteFile(At(name), bytes);
    if (executable) fs::permissions(At(name), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  }
  // The first line each started grader wrote, waited for until `count` have written.
  std::string Started(size_t count) const {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    std::string started;
    while (std::chrono::steady_clock::now() < deadline) {
      started = ReadFile(At("started.txt"));
      if (static_cast<size_t>(std::count(started.begin(), started.end(), '\n')) >= count) break;
      std::this_thread::sleep_for(20ms);
    }
    return started;
  }
};

TEST_F(UpdaterTest, ReplacesTheFilesAndKeepsTheOldOnesUntilTheNewGraderRuns) {
  Install("tabrel-grader", Grader("old"), true);
  Install("a.dll", "old a");
  Install("sub/b.dll", "old b");
  Install("Update.ini", "[Update]\r\nUPDATE_VERSION=2\r\n");
  Install("Update/tabrel-grader", Grader("new"));
  Install("Update/a.dll", "new a");
  Install("Update/sub/b.dll", "new b");
  Install("Update/c.dll", "new c");
  Install("Update/Version.txt", "2\r\ntabrel-grader|a.dll|/sub/b.dll|c.dll\r\n");
  Install("Update/Update.ini", "[Update]\r\nUPDATE_VERSION=99\r\n");

  EXPECT_EQ(RunUpdater(folder.path(), waits), UpdaterOutcome::Updated);

  EXPECT_EQ(Started(1), "new\n");
  EXPECT_EQ(ReadFile(At("kept.txt")), "old a");  // the old file was still kept when the new grader ran
  EXPECT_EQ(ReadFile(At("a.dll")), "new a");
  EXPECT_EQ(ReadFile(At("sub/b.dll")), "new b");
  EXPECT_EQ(ReadFile(At("c.dll")), "new c");
  EXPECT_EQ(ReadFile(At("Update.ini")), "[Update]\r\nUPDATE_VERSION=2\r\n");
  EXPECT_NE(fs::status(At("tabrel-grader")).permissions() & fs::perms::owner_exec, fs::perms::none);
  EXPECT_FALSE(fs::exists(At("Update.old")));
  EXPECT_EQ(Contents(At("Update")), (std::set<std::string>{"Version.txt", "Update.ini", "sub/"}));
  for (const auto& name : Contents(folder.path())) EXPECT_EQ(name.find(".update-new"), std::string::npos) << name;
}

TEST_F(UpdaterTest, FailedReplacementLeavesTheOldProgramAndStartsIt) {
  Install("tabrel-grader", Grader("old"), true);
  Install("a.dll", "old a");
  Install("d.dll/inside", "a folder where the update has a file");
  Install("Update/a.dll", "new a");
  Install("Update/d.dll", "new d");
  Install("Update/e.dll", "new e");

  EXPECT_EQ(RunUpdater(folder.path(), waits), UpdaterOutcome::ReplacementFailed);

  EXPECT_EQ(Started(1), "old\n");
  EXPECT_EQ(ReadFile(At("a.dll")), "old a");
  EXPECT_FALSE(fs::exists(At("e.dll")));
  EXPECT_EQ(ReadFile(At("d.dll/inside")), "a folder where the update has a file");
  EXPECT_EQ(Contents(At("Update")), (std::set<std::string>{"a.dll", "d.dll", "e.dll"}));
  EXPECT_FALSE(fs::exists(At("Update.old")));
}

TEST_F(UpdaterTest, NewGraderThatDoesNotStartIsReplacedByTheOldOne) {
  Install("tabrel-grader", Grader("old"), true);
  Install("a.dll", "old a");
  Install("Update/tabrel-grader", "#!/bin/sh\necho broken >> started.txt\nexit 1\n");
  Install("Update/a.dll", "new a");
  Install("Update/n.dll", "new n");

  EXPECT_EQ(RunUpdater(folder.path(), waits), UpdaterOutcome::NewGraderFailed);

  EXPECT_EQ(Started(2), "broken\nold\n");
  EXPECT_EQ(ReadFile(At("tabrel-grader")), Grader("old"));
  EXPECT_EQ(ReadFile(At("a.dll")), "old a");
  EXPECT_FALSE(fs::exists(At("n.dll")));
  EXPECT_FALSE(fs::exists(At("Update.old")));
}

TEST_F(UpdaterTest, WaitsForTheGraderToEndAndChangesNothingWhileItRuns) {
  Install("tabrel-grader", Grader("old"), true);
  Install("a.dll", "old a");
  Install("Update/a.dll", "new a");
  {
    const auto running = ProgramLock::Take(folder.path(), ProgramLock::Kind::Shared, false);
    ASSERT_TRUE(running.has_value());
    EXPECT_EQ(RunUpdater(folder.path(), {300ms, 10s}), UpdaterOutcome::GraderStillRunning);
    EXPECT_EQ(ReadFile(At("a.dll")), "old a");
  }
  // The grader ends while the updater waits.
  auto running = ProgramLock::Take(folder.path(), ProgramLock::Kind::Shared, false);
  std::thread ends([&] {
    std::this_thread::sleep_for(300ms);
    running.reset();
  });
  EXPECT_EQ(RunUpdater(folder.path(), waits), UpdaterOutcome::Updated);
  ends.join();
  EXPECT_EQ(ReadFile(At("a.dll")), "new a");
}

TEST_F(UpdaterTest, UpdaterProgramStartedWithoutArgumentsInstallsOnceTheGraderHasEnded) {
  fs::copy_file(TABREL_UPDATER_PROGRAM, At("update.exe"));
  Install("tabrel-grader", Grader("old"), true);
  Install("a.dll", "old a");
  Install("Update/tabrel-grader", Grader("new"));
  Install("Update/a.dll", "new a");
  auto grader = ProgramLock::Take(folder.path(), ProgramLock::Kind::Shared, false);
  ASSERT_TRUE(grader.has_value());

  const auto updater = StartProgram(At("update.exe"));
  ASSERT_TRUE(updater.has_value());
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(ReadFile(At("a.dll")), "old a");  // the grader still runs
  grader.reset();

  int status = -1;
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (::waitpid(*updater, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(20ms);
  }
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFile(At("a.dll")), "new a");
  EXPECT_EQ(Started(1), "new\n");
}

}  // namespace
}  // namespace tabrel::update::testing
