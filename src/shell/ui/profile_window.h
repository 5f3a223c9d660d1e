#pragma once
// The profile window `frmprofile`: a shaped window with the slideshow of profileimage/, the
// caption beside each picture and the check box "항상맨위로".

#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <string>

#include "shell/core/profile_window.h"
#include "shell/core/window_drag.h"

namespace tabrel::shell::ui {

class ProfileWindow : public QWidget {
 public:
  // Loads the window (Form_Load) and places it relative to `main_window`.
  ProfileWindow(const std::filesystem::path& program_folder, const QWidget* main_window);

  const FrmProfile& state() const { return state_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void Show();
  void SetTopMost(TopMostMode mode);

  FrmProfile state_;
  QPixmap background_;
  QLabel* picture_ = nullptr;
  QLabel* caption_ = nullptr;
  QCheckBox* check_ = nullptr;
  QTimer timer_;
  WindowDrag drag_;
  std::function<bool(const std::u16string&)> load_picture_;
};

}  // namespace tabrel::shell::ui
