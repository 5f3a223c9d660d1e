#include "update/online_update.h"

#include <system_error>

#include "update/download.h"
#include "update/profile_file.h"
#include "update/start_program.h"
#include "update/version_check.h"

namespace tabrel::update {

namespace {

namespace fs = std::filesystem;

// Moves a downloaded updater over the program folder's one and makes it executable; a list
// that brought none keeps the installed updater. False when no updater is in place afterwards.
bool PutUpdaterInPlace(const fs::path& program_folder) {
  const fs::path fetched = UpdateFolderOf(program_folder) / kUpdaterFile;
  const fs::path installed = program_folder / kUpdaterFile;
  std::error_code ec;
  if (fs::is_regular_file(fs::symlink_status(fetched, ec))) {
    fs::permissions(fetched, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec, ec);
    if (ec) return false;
    fs::rename(fetched, installed, ec);
    if (ec) return false;
  }
  return fs::is_regular_file(fs::symlink_status(installed, ec));
}

}  // namespace

void RunOnlineUpdate(shell::Shell& shell, const UpdateConnection& connection) {
  ModUpdate settings;
  settings.UpdateServer = connection.host;
  settings.UpdatePort = std::to_string(connection.port);
  settings.UpdateUser = kUpdateUser;
  settings.UpdatePassword = kUpdatePassword;
  if (!CheckUpdateVersion(shell, settings, connection.open_ftp)) return;

  const fs::path& folder = shell.ProgramFolder();
  // The version is recorded only once every file has arrived and the updater stands ready.
  if (!DownloadUpdateFiles(shell, settings, connection.open_ftp) || !PutUpdaterInPlace(folder) ||
      !WritePrivateProfileString(kProfileSection, kProfileKey, settings.UpdateVersion, folder / kProfileFile)) {
    shell.MsgBox(kUpdateFailedMessage, shell::MsgBoxIcon::Critical);
    return;
  }
  shell.MsgBox(kUpdateDoneMessage, shell::MsgBoxIcon::Information);
  StartProgram(folder / kUpdaterFile);
  shell.UnloadMainWindow();
}

}  // namespace tabrel::update
