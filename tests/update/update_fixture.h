#pragma once
// A shell over a scratch program folder, a scratch server folder with the update folder "ovd",
// and the update pointed at a server on the loopback interface with short limits.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "shell/core/shell_fixture.h"
#include "spreadsheet/core/text.h"
#include "update/curl_ftp_client.h"
#include "update/ftp_server.h"
#include "update/mod_update.h"
#include "update/profile_file.h"

namespace tabrel::update::testing {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteFile(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

// Relative paths of everything under `folder` (folders end with "/"), sorted.
inline std::set<std::string> Contents(const fs::path& folder) {
  std::set<std::string> names;
  if (!fs::is_directory(folder)) return names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    std::string name = fs::relative(entry.path(), folder).string();
    if (entry.is_directory()) name += "/";
    names.insert(name);
  }
  return names;
}

// Limits short enough that a stalled transfer fails a test in seconds, and long enough for a
// busy machine.
inline FtpLimits TestLimits() {
  FtpLimits limits;
  limits.connect_seconds = 10;
  limits.response_seconds = 10;
  limits.low_speed_bytes = 512;
  limits.low_speed_seconds = 3;
  limits.transfer_seconds = 60;
  return limits;
}

// A message box as the examinee saw it.
struct Shown {
  std::u16string text;
  shell::MsgBoxIcon icon;
  bool operator==(const Shown&) const = default;
  friend void PrintTo(const Shown& s, std::ostream* out) {
    *out << to_utf8(s.text) << " (icon " << static_cast<int>(s.icon) << ")";
  }
};

class UpdateTest : public ::testing::Test {
 protected:
  UpdateTest() : shell(dialogs, folder.path(), shell::BuiltInDispatchTable()) {
    server_root_ = fs::temp_directory_path() /
                   ("tabrel-ftp-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(server_root_);
    fs::create_directories(server_root_ / "ovd");
  }
  ~UpdateTest() override {
    server_.reset();
    std::error_code ec;
    fs::remove_all(server_root_, ec);
  }
  void SetUp() override { ASSERT_FALSE(shell.Form_Initialize().has_value()); }

  // A file of the server, relative to "/ovd".
  void Serve(const std::string& name, const std::string& bytes) { WriteFile(server_root_ / "ovd" / name, bytes); }
  void ServeVersion(const std::string& text) { Serve("Version.txt", text); }

  void StartServer(long bytes_per_second = 0) {
    server_ = std::make_unique<FtpServer>(server_root_, bytes_per_second);
    ASSERT_TRUE(server_->started());
  }
  FtpServer& server() { return *server_; }
  const fs::path& ServerRoot() const { return server_root_; }

  UpdateConnection Loopback(long port) const {
    UpdateConnection connection;
    connection.host = "127.0.0.1";
    connection.port = port;
    connection.open_ftp = [](const std::string& agent) { return OpenCurlFtp(agent, TestLimits()); };
    return connection;
  }
  UpdateConnection Loopback() const { return Loopback(server_->port()); }

  ModUpdate Settings(long port) const {
    return ModUpdate{"127.0.0.1", std::to_string(port), kUpdateUser, kUpdatePassword, ""};
  }

  fs::path UpdateFolder() const { return folder.path() / "Update"; }
  std::set<std::string> UpdateContents() const { return Contents(UpdateFolder()); }

  // The version recorded in Update.ini, "" when none.
  std::string RecordedVersion() const {
    std::string buffer(kProfileBufferSize, ' ');
    const size_t n = GetPrivateProfileString(kProfileSection, kProfileKey, "", buffer, folder.path() / kProfileFile);
    return buffer.substr(0, n);
  }
  void RecordVersion(const std::string& version) const {
    ASSERT_TRUE(WritePrivateProfileString(kProfileSection, kProfileKey, version, folder.path() / kProfileFile));
  }

  std::vector<Shown> Messages() const {
    std::vector<Shown> shown;
    for (const auto& m : dialogs.messages) shown.push_back({m.text, m.icon});
    return shown;
  }

  shell::testing::ProgramFolder folder;
  shell::testing::RecordingDialogs dialogs;
  shell::Shell shell;

 private:
  fs::path server_root_;
  std::unique_ptr<FtpServer> server_;
};

}  // namespace tabrel::update::testing
