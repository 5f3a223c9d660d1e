#pragma once
// The first half of the update: is the server's version newer than the installed one?

#include "shell/core/shell.h"
#include "update/mod_update.h"

namespace tabrel::update {

// True when the server's `Version.txt` names a version above the one in `Update.ini` (or "1"
// when none is recorded); `UpdateVersion` then holds the server's version and the `Update`
// folder the server's `Version.txt`. Otherwise False, with the message that says why, if any
// (a server without the folder "/ovd" has no `Version.txt`).
// The `Update` folder is prepared once connected: created, or emptied of its files (its
// sub-folders stay). Nothing is raised.
bool CheckUpdateVersion(shell::Shell& shell, ModUpdate& settings, const FtpOpener& open_ftp);

}  // namespace tabrel::update
