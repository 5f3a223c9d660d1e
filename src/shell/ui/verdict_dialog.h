#pragma once
// The verdict window `frmpass`: a borderless dialog cut to shape by the key colour of its
// background, showing the filled verdict state until "확 인" is clicked.

#include <QDialog>
#include <QPixmap>

#include <filesystem>

#include "shell/core/verdict_window.h"
#include "shell/core/window_drag.h"

namespace tabrel::shell::ui {

class VerdictDialog : public QDialog {
 public:
  VerdictDialog(const FrmPass& state, const std::filesystem::path& program_folder);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QPixmap background_;
  WindowDrag drag_;
};

}  // namespace tabrel::shell::ui
