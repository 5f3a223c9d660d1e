#include "shell/core/window_drag.h"

namespace tabrel::shell {

void WindowDrag::MouseDown(int buttons, int x, int y) {
  if (buttons != kLeftButton) return;
  drag_x_ = x;
  drag_y_ = y;
}

std::optional<WindowPosition> WindowDrag::MouseMove(int buttons, int x, int y, WindowPosition window) const {
  if (buttons != kLeftButton) return std::nullopt;
  return WindowPosition{window.left - drag_x_ + x, window.top - drag_y_ + y};
}

}  // namespace tabrel::shell
