#pragma once
// A picture that reacts to the mouse: a button press and release, or a click.

#include <QLabel>
#include <QMouseEvent>

#include <functional>

namespace tabrel::shell::ui {

class PictureButton : public QLabel {
 public:
  explicit PictureButton(QWidget* parent) : QLabel(parent) { setCursor(Qt::PointingHandCursor); }

  std::function<void()> on_press;
  std::function<void()> on_release;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    event->accept();
    if (on_press) on_press();
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    event->accept();
    if (on_release) on_release();
  }
};

}  // namespace tabrel::shell::ui
