#pragma once
// The shell's dialogs as Qt windows: message boxes, the open-file dialog, the modal verdict.

#include <QWidget>

#include <filesystem>

#include "shell/core/dialogs.h"

namespace tabrel::shell::ui {

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(std::filesystem::path program_folder) : program_folder_(std::move(program_folder)) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }

  void MsgBox(const std::u16string& text, MsgBoxIcon icon, const std::u16string& title) override;
  std::u16string ChooseOpenFile(const OpenFileRequest& request) override;
  void ShowModal(FrmPass& verdict) override;

 private:
  std::filesystem::path program_folder_;
  QWidget* owner_ = nullptr;
};

// "Description|pattern|Description|pattern" as a Qt name filter ("Description;;Description").
QString QtNameFilter(const std::u16string& filter);

}  // namespace tabrel::shell::ui
