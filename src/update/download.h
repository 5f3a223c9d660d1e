#pragma once
// The second half of the update: every file that the server's `Version.txt` lists, fetched
// over one connection into the `Update` folder.

#include "shell/core/shell.h"
#include "update/mod_update.h"

namespace tabrel::update {

// True when every listed file has arrived. False when the client cannot be opened, the
// connection fails (every deduction row is then marked with small icon 2 and the examinee is
// told), the local `Version.txt` lacks its second line, an entry is refused (nothing is then
// fetched), a folder cannot be made or changed to, or a transfer fails. Nothing is raised.
bool DownloadUpdateFiles(shell::Shell& shell, const ModUpdate& settings, const FtpOpener& open_ftp);

}  // namespace tabrel::update
