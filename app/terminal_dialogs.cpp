#include "terminal_dialogs.h"

#include "runtime/numbers.h"
#include "shell/core/verdict_window.h"
#include "spreadsheet/core/text.h"

namespace tabrel::app {

void TerminalDialogs::MsgBox(const std::u16string& text, shell::MsgBoxIcon, const std::u16string& title) {
  out_ << "[" << to_utf8(title) << "] " << to_utf8(text) << "\n";
}

std::u16string TerminalDialogs::ChooseOpenFile(const shell::OpenFileRequest&) { return target_; }

void TerminalDialogs::ShowModal(shell::FrmPass& verdict) {
  out_ << "판정: " << to_utf8(verdict.Label3.Caption()) << "  총점 " << to_utf8(verdict.Label2.Caption()) << "\n";
  for (size_t k = 0; k < verdict.ProgressBar1.size(); ++k) {
    out_ << "  문제 " << k + 1 << ": " << to_utf8(verdict.Label1[k].Caption()) << " / "
         << to_utf8(rt::CStr(verdict.ProgressBar1[k].Max())) << "\n";
  }
}

}  // namespace tabrel::app
