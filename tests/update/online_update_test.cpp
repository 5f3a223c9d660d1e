// The update run against a real FTP server on the loopback interface, through the libcurl
// client: what the examinee is told, what the Update folder holds and what Update.ini records.

#include <signal.h>

#include <chrono>
#include <thread>

#include "update/download.h"
#include "update/online_update.h"
#include "update/update_fixture.h"
#include "update/version_check.h"

namespace tabrel::update::testing {
namespace {

using shell::MsgBoxIcon;

const Shown kUpToDate{u"최신 버전까지 모두 업데이트 되어 없습니다", MsgBoxIcon::None};
const Shown kFailed{u"업데이트 도중 오류가 발생하였습니다.", MsgBoxIcon::Critical};
const Shown kDone{u"업데이트 완료...", MsgBoxIcon::Information};

// An updater that leaves a mark in the program folder when it is started.
const std::string kUpdaterScript = "#!/bin/sh\necho started > started.txt\n";

bool AppearsWithin(const fs::path& file, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!fs::exists(file)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

class OnlineUpdateTest : public UpdateTest {};

TEST_F(OnlineUpdateTest, NewerVersionFetchesTheListRecordsItAndStartsTheUpdater) {
  ServeVersion("2.0\r\nupdate.exe|a.dll\r\nignored line\r\n");
  Serve("update.exe", kUpdaterScript);
  Serve("a.dll", std::string("\0\r\n\x80\xff binary", 12));
  RecordVersion("1.9");
  StartServer();

  RunOnlineUpdate(shell, Loopback());

  EXPECT_EQ(Messages(), std::vector<Shown>{kDone});
  EXPECT_EQ(RecordedVersion(), "2.0");
  EXPECT_EQ(UpdateContents(), (std::set<std::string>{"Version.txt", "a.dll"}));
  EXPECT_EQ(ReadFile(UpdateFolder() / "a.dll"), std::string("\0\r\n\x80\xff binary", 12));
  const fs::path updater = folder.path() / "update.exe";
  EXPECT_EQ(ReadFile(updater), kUpdaterScript);
  EXPECT_NE(fs::status(updater).permissions() & fs::perms::owner_exec, fs::perms::none);
  EXPECT_TRUE(AppearsWithin(folder.path() / "started.txt", std::chrono::seconds(10)));
  EXPECT_EQ(shell.MousePointer(), shell::kPointerDefault);

  // The same server again: nothing newer.
  dialogs.messages.clear();
  RunOnlineUpdate(shell, Loopback());
  EXPECT_EQ(Messages(), std::vector<Shown>{kUpToDate});
}

TEST_F(OnlineUpdateTest, VersionsThatAreNotNewerChangeNothing) {
  struct Case {
    const char* recorded;  // nullptr: no Update.ini
    const char* served;
  };
  const Case cases[] = {
      {nullptr, "1"},        // nothing recorded counts as 1
      {"2.0", "2.0"},        // equal
      {"3", "2.5"},          // older
      {"1.9", "1.10"},       // 1.10 is the number 1.1
      {"  2 ", "2"},         // blanks around the recorded value
      {"0.5", "version 9"},  // a text without a leading number counts as 0
      {"0.5", ""},           // an empty first line as well
  };
  StartServer();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.recorded ? c.recorded : "(none)") + " / " + c.served);
    dialogs.messages.clear();
    fs::remove(folder.path() / "Update.ini");
    if (c.recorded) RecordVersion(c.recorded);
    ServeVersion(std::string(c.served) + "\r\nupdate.exe\r\n");
    WriteFile(UpdateFolder() / "stale.dll", "old");
    WriteFile(UpdateFolder() / "kept" / "x.dll", "old");

    RunOnlineUpdate(shell, Loopback());

    EXPECT_EQ(Messages(), std::vector<Shown>{kUpToDate});
    EXPECT_EQ(RecordedVersion(), c.recorded ? TrimAtNull(c.recorded) : "");
    // The files of the Update folder went; its sub-folders stay.
    EXPECT_EQ(UpdateContents(), (std::set<std::string>{"Version.txt", "kept/", "kept/x.dll"}));
  }
}

TEST_F(OnlineUpdateTest, MissingVersionFileIsReportedAfterTheUpdateFolderWasEmptied) {
  WriteFile(UpdateFolder() / "stale.dll", "old");
  StartServer();
  RunOnlineUpdate(shell, Loopback());
  EXPECT_EQ(Messages(), (std::vector<Shown>{Shown{u"업데이트 파일이 없음", MsgBoxIcon::None}}));
  EXPECT_TRUE(UpdateContents().empty());
  EXPECT_EQ(RecordedVersion(), "");

  // A Version.txt outside "/ovd" is not the update's.
  dialogs.messages.clear();
  fs::remove_all(ServerRoot() / "ovd");
  WriteFile(ServerRoot() / "Version.txt", "9\r\n\r\n");
  RunOnlineUpdate(shell, Loopback());
  EXPECT_EQ(Messages(), (std::vector<Shown>{Shown{u"업데이트 파일이 없음", MsgBoxIcon::None}}));
}

TEST_F(OnlineUpdateTest, ServerThatIsDownLeavesEveryFolderAlone) {
  RunOnlineUpdate(shell, Loopback(UnusedPort()));
  EXPECT_EQ(Messages(), (std::vector<Shown>{Shown{u"FTP 연결 실패", MsgBoxIcon::None}}));
  EXPECT_FALSE(fs::exists(UpdateFolder()));
  EXPECT_EQ(shell.MousePointer(), shell::kPointerDefault);
}

TEST_F(OnlineUpdateTest, HiddenUpgradeButtonRunsTheUpdate) {
  EXPECT_FALSE(shell.comtest.Command1.Visible);
  EXPECT_EQ(shell.comtest.Command1.Caption, u"업그레이드");
  const UpdateConnection down = Loopback(UnusedPort());
  shell.SetOnlineUpdate([&](shell::Shell& s) { RunOnlineUpdate(s, down); });
  shell.Command1_Click();
  EXPECT_EQ(Messages(), (std::vector<Shown>{Shown{u"FTP 연결 실패", MsgBoxIcon::None}}));
  EXPECT_FALSE(shell.comtest.Command1.Visible);
}

TEST_F(OnlineUpdateTest, EmptyListKeepsTheInstalledUpdater) {
  ServeVersion("2\r\n\r\n");
  WriteFile(folder.path() / "update.exe", kUpdaterScript);
  fs::permissions(folder.path() / "update.exe", fs::perms::owner_all);
  StartServer();
  RunOnlineUpdate(shell, Loopback());
  EXPECT_EQ(Messages(), std::vector<Shown>{kDone});
  EXPECT_EQ(RecordedVersion(), "2");
  EXPECT_EQ(ReadFile(folder.path() / "update.exe"), kUpdaterScript);
  EXPECT_TRUE(AppearsWithin(folder.path() / "started.txt", std::chrono::seconds(10)));
}

TEST_F(OnlineUpdateTest, ListWithoutAnUpdaterAnywhereIsNotRecorded) {
  ServeVersion("2\r\na.dll\r\n");
  Serve("a.dll", "new");
  StartServer();
  RunOnlineUpdate(shell, Loopback());
  EXPECT_EQ(Messages(), std::vector<Shown>{kFailed});
  EXPECT_EQ(RecordedVersion(), "");
  EXPECT_EQ(UpdateContents(), (std::set<std::string>{"Version.txt", "a.dll"}));
}

TEST_F(OnlineUpdateTest, PlainAndFolderEntriesLandInTheirPlaces) {
  // c.dll follows a folder entry and still comes from /ovd, not from /ovd/a.
  ServeVersion("3\r\nupdate.exe|/a/x.dll|/a/b/y.dll|/z.dll|c.dll\r\n");
  Serve("update.exe", kUpdaterScript);
  Serve("a/x.dll", "ax");
  Serve("a/b/y.dll", "aby");
  Serve("z.dll", "z");
  Serve("c.dll", "c from ovd");
  Serve("a/b/c.dll", "c from ovd/a/b");
  StartServer();
  RunOnlineUpdate(shell, Loopback());
  EXPECT_EQ(Messages(), std::vector<Shown>{kDone});
  EXPECT_EQ(UpdateContents(),
            (std::set<std::string>{"Version.txt", "a/", "a/x.dll", "a/b/", "a/b/y.dll", "z.dll", "c.dll"}));
  EXPECT_EQ(ReadFile(UpdateFolder() / "a" / "b" / "y.dll"), "aby");
  EXPECT_EQ(ReadFile(UpdateFolder() / "c.dll"), "c from ovd");
  EXPECT_EQ(RecordedVersion(), "3");
}

TEST_F(OnlineUpdateTest, FailedDownloadsStopTheRunWithoutRecordingTheVersion) {
  struct Case {
    const char* name;
    const char* list;
  };
  const Case cases[] = {
      {"folder whose parent is missing", "update.exe|/a/b/y.dll"},
      {"file missing on the server", "update.exe|a.dll|missing.dll"},
      {"folder missing on the server", "update.exe|/nowhere/a.dll"},
  };
  Serve("update.exe", kUpdaterScript);
  Serve("a.dll", "a");
  Serve("a/b/y.dll", "aby");
  Serve("nowhere.dll", "not a folder");
  StartServer();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.messages.clear();
    ServeVersion(std::string("2\r\n") + c.list + "\r\n");
    RunOnlineUpdate(shell, Loopback());
    EXPECT_EQ(Messages(), std::vector<Shown>{kFailed});
    EXPECT_EQ(RecordedVersion(), "");
    EXPECT_FALSE(fs::exists(folder.path() / "update.exe"));
    for (const auto& name : UpdateContents()) EXPECT_EQ(name.find(".download"), std::string::npos) << name;
  }
}

TEST_F(OnlineUpdateTest, RefusedEntriesStopTheRunBeforeAnythingIsFetched) {
  const char* refused[] = {
      "/../evil.dll", "..",        "/a/../../evil.dll", "/a/./x.dll", "a\\evil.dll", "C:evil.dll",
      "/C:/evil.dll", "/a//x.dll", "//x.dll",           "/a/",        "a/x.dll",    "good.dll|",
      "|good.dll",    "x\x01.dll", "x\x7f.dll",         "/a\tb/x.dll",
  };
  Serve("update.exe", kUpdaterScript);
  Serve("good.dll", "good");
  StartServer();
  for (const char* entry : refused) {
    SCOPED_TRACE(entry);
    dialogs.messages.clear();
    ServeVersion(std::string("2\r\nupdate.exe|good.dll|") + entry + "\r\n");
    RunOnlineUpdate(shell, Loopback());
    EXPECT_EQ(Messages(), std::vector<Shown>{kFailed});
    EXPECT_EQ(RecordedVersion(), "");
    EXPECT_EQ(UpdateContents(), std::set<std::string>{"Version.txt"});
  }
  EXPECT_FALSE(fs::exists(folder.path() / "evil.dll"));
}

TEST_F(OnlineUpdateTest, LostConnectionBeforeTheDownloadMarksEveryRow) {
  ServeVersion("2\r\na.dll\r\n");
  StartServer();
  ModUpdate settings = Settings(server().port());
  ASSERT_TRUE(CheckUpdateVersion(shell, settings, Loopback().open_ftp));
  EXPECT_EQ(settings.UpdateVersion, "2");
  shell.AddDeduction(1.0f, u"첫째", u"제1작업");
  shell.AddDeduction(2.0f, u"둘째", u"제1작업");
  server().Kill();

  EXPECT_FALSE(DownloadUpdateFiles(shell, settings, Loopback().open_ftp));
  EXPECT_EQ(Messages(), (std::vector<Shown>{Shown{u"FTP 서버 연결에 실패하였습니다", MsgBoxIcon::None}}));
  for (const auto& row : shell.comtest.ListView1.Items()) EXPECT_EQ(row.SmallIcon, 2);
  EXPECT_EQ(shell.MousePointer(), shell::kPointerDefault);
}

TEST_F(OnlineUpdateTest, ServerThatStopsInTheMiddleOfATransferFailsTheRun) {
  for (const bool killed : {false, true}) {
    SCOPED_TRACE(killed ? "killed" : "stalled");
    dialogs.messages.clear();
    ServeVersion("2\r\nupdate.exe|big.bin\r\n");
    Serve("update.exe", kUpdaterScript);
    Serve("big.bin", std::string(1 << 20, 'x'));
    StartServer(64 << 10);
    // Once the transfer of big.bin has begun, the server stops answering or ends.
    bool stopped = false;
    std::thread stopper([&] {
      if (!AppearsWithin(UpdateFolder() / "big.bin.download", std::chrono::seconds(20))) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      if (killed) server().Kill();
      else server().Pause();
      stopped = true;
    });
    RunOnlineUpdate(shell, Loopback());
    stopper.join();
    EXPECT_TRUE(stopped);
    EXPECT_EQ(Messages(), std::vector<Shown>{kFailed});
    EXPECT_EQ(RecordedVersion(), "");
    EXPECT_EQ(UpdateContents(), (std::set<std::string>{"Version.txt", "update.exe"}));
  }
}

}  // namespace
}  // namespace tabrel::update::testing
