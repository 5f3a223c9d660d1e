#pragma once
// The update run behind the main window's hidden button "업그레이드": version check, download,
// the updater put in place, the version recorded, the updater started, the program ended.

#include "shell/core/shell.h"
#include "update/mod_update.h"

namespace tabrel::update {

// Runs the update against the server of `connection`. It returns when the server has nothing
// newer or something failed (the examinee has then been told, the recorded version is
// unchanged); after a complete download it records the server's version, starts the updater
// and unloads the main window, which ends the program.
void RunOnlineUpdate(shell::Shell& shell, const UpdateConnection& connection = {});

}  // namespace tabrel::update
