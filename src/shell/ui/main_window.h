#pragma once
// The desktop main window: draws the shell's `comtest` state with Qt widgets on the shaped
// background picture and hands the examinee's actions to the shell's handlers.

#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QWidget>

#include <array>
#include <vector>

#include "shell/core/shell.h"
#include "shell/core/window_drag.h"
#include "shell/ui/picture_button.h"

namespace tabrel::shell::ui {

class MainWindow : public QWidget {
 public:
  explicit MainWindow(Shell& shell);

  // Shows the shell's current state on the widgets.
  void Sync();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* AddLabel(const Label& state, int x, int y, int w, int h, Qt::Alignment align, const char* style);
  void BuildChoice();
  void BuildScores();
  void BuildDeductionList();
  void SyncList();
  // Runs a handler of the shell, then shows the state it left.
  template <class F>
  void Handle(F&& handler) {
    handler();
    Sync();
  }

  Shell& shell_;
  QPixmap background_;
  std::array<QPixmap, 2> start_pictures_, exit_pictures_;
  WindowDrag drag_;
  bool syncing_ = false;

  PictureButton* start_ = nullptr;
  PictureButton* exit_ = nullptr;
  QPushButton* upgrade_ = nullptr;  // Command1, stored hidden
  std::array<QRadioButton*, 2> levels_{};
  std::array<PictureButton*, 2> level_pictures_{};
  std::array<QRadioButton*, 4> series_{};
  std::array<QComboBox*, 4> lists_{};
  QProgressBar* progress_ = nullptr;
  QTreeWidget* deductions_ = nullptr;
  std::vector<std::pair<QLabel*, const Label*>> labels_;
};

}  // namespace tabrel::shell::ui
