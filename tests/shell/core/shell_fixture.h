#pragma once
// A shell over a scratch program folder, with dialogs that record what they were asked and
// answer from a script.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "shell/core/dialogs.h"
#include "shell/core/platform_files.h"
#include "shell/core/shell.h"
#include "shell/core/verdict_window.h"

namespace tabrel::shell::testing {

using shell::PathText;

struct RecordingDialogs : Dialogs {
  struct Message {
    std::u16string text;
    MsgBoxIcon icon;
    std::u16string title;
  };
  std::vector<Message> messages;
  std::vector<OpenFileRequest> file_requests;
  std::u16string file_answer;  // what the open-file dialog returns
  std::vector<FrmPass> verdicts;  // the verdict windows as they were shown

  void MsgBox(const std::u16string& text, MsgBoxIcon icon, const std::u16string& title) override {
    messages.push_back({text, icon, title});
  }
  std::u16string ChooseOpenFile(const OpenFileRequest& request) override {
    file_requests.push_back(request);
    return file_answer;
  }
  void ShowModal(FrmPass& verdict) override { verdicts.push_back(verdict); }
};

// A fresh program folder with an empty info.dat, removed afterwards.
class ProgramFolder {
 public:
  ProgramFolder() {
    path_ = std::filesystem::temp_directory_path() /
            ("tabrel-shell-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    Write("info.dat", "");
  }
  ~ProgramFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path Write(const std::string& name, const std::string& bytes) const {
    const auto file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }

 private:
  std::filesystem::path path_;
};

class ShellTest : public ::testing::Test {
 protected:
  explicit ShellTest(DispatchTable table = BuiltInDispatchTable()) : shell(dialogs, folder.path(), std::move(table)) {}
  void SetUp() override { ASSERT_FALSE(shell.Form_Initialize().has_value()); }

  ProgramFolder folder;
  RecordingDialogs dialogs;
  Shell shell;
};

}  // namespace tabrel::shell::testing
