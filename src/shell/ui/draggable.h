#pragma once
// Dragging a borderless window by its background with the shell's drag rule.

#include <QMouseEvent>
#include <QWidget>

#include "shell/core/window_drag.h"

namespace tabrel::shell::ui {

// The language's button set: 1 left, 2 right, 4 middle.
inline int ButtonSet(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? kLeftButton : 0) | (buttons & Qt::RightButton ? kRightButton : 0) |
         (buttons & Qt::MiddleButton ? 4 : 0);
}

// Form_MouseDown and Form_MouseMove of a window.
inline void DragPress(WindowDrag& drag, QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  drag.MouseDown(ButtonSet(event->buttons()), p.x(), p.y());
}

inline void DragMove(WindowDrag& drag, QWidget* window, QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (auto to = drag.MouseMove(ButtonSet(event->buttons()), p.x(), p.y(), {window->x(), window->y()})) {
    window->move(to->left, to->top);
  }
}

}  // namespace tabrel::shell::ui
