#pragma once
// What the desktop does for the shell besides dialogs: painting while it works, the mouse
// pointer, ending the program, opening the publisher's page.

#include <functional>

#include "shell/core/shell.h"

namespace tabrel::shell::ui {

// Hooks for a shell whose window is shown by `sync` (called before pending events are handled).
ShellHooks DesktopHooks(std::function<void()> sync);

}  // namespace tabrel::shell::ui
