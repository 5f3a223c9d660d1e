#pragma once
// Dragging a borderless window by its background: a left-button press remembers the pointer's
// position inside the window; a move with the left button alone held shifts the window by the
// pointer's displacement from that point.

#include <optional>

namespace tabrel::shell {

inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;

struct WindowPosition {
  int left = 0;
  int top = 0;
  bool operator==(const WindowPosition&) const = default;
};

class WindowDrag {
 public:
  // Form_MouseDown: `buttons` is the set of buttons down (1 left, 2 right, 4 middle).
  void MouseDown(int buttons, int x, int y);
  // Form_MouseMove: the window's new position, or nothing when it stays.
  std::optional<WindowPosition> MouseMove(int buttons, int x, int y, WindowPosition window) const;

 private:
  int drag_x_ = 0;
  int drag_y_ = 0;
};

}  // namespace tabrel::shell
