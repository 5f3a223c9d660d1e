#pragma once
// The one way the shell talks to the examinee: message boxes, the open-file dialog and the
// modal verdict window. The desktop program answers with Qt windows, the headless grading
// command with the terminal, tests with a recording fake.

#include <string>

namespace tabrel::shell {

struct FrmPass;

enum class MsgBoxIcon { None, Critical, Exclamation, Information };

struct OpenFileRequest {
  std::u16string title;
  std::u16string file_name;
  std::u16string filter;          // "Description|pattern" pairs joined by "|"
  std::u16string initial_folder;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A message box with an OK button only.
  virtual void MsgBox(const std::u16string& text, MsgBoxIcon icon, const std::u16string& title) = 0;
  // The chosen file's full path, or "" when the examinee cancels.
  virtual std::u16string ChooseOpenFile(const OpenFileRequest& request) = 0;
  // Shows the filled verdict window and returns when the examinee has closed it.
  virtual void ShowModal(FrmPass& verdict) = 0;
};

}  // namespace tabrel::shell
