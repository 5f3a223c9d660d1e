#pragma once
// The shell's dialogs on a terminal: message boxes and the verdict are printed, the open-file
// dialog answers with the target given on the command line.

#include <ostream>
#include <string>

#include "shell/core/dialogs.h"

namespace tabrel::app {

class TerminalDialogs : public shell::Dialogs {
 public:
  TerminalDialogs(std::ostream& out, std::u16string target) : out_(out), target_(std::move(target)) {}

  void MsgBox(const std::u16string& text, shell::MsgBoxIcon icon, const std::u16string& title) override;
  std::u16string ChooseOpenFile(const shell::OpenFileRequest& request) override;
  void ShowModal(shell::FrmPass& verdict) override;

 private:
  std::ostream& out_;
  std::u16string target_;
};

}  // namespace tabrel::app
