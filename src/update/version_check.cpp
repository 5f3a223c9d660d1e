#include "update/version_check.h"

#include <system_error>

#include "runtime/numbers.h"
#include "spreadsheet/core/text.h"
#include "update/ftp_session.h"
#include "update/mod_ftp.h"
#include "update/profile_file.h"
#include "update/version_file.h"

namespace tabrel::update {

namespace {

namespace fs = std::filesystem;

// Creates the folder, or removes the files it holds; its sub-folders stay.
bool PrepareUpdateFolder(const fs::path& folder) {
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(folder, ec))) return fs::create_directory(folder, ec);
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    if (!it->is_directory(ignored)) fs::remove(it->path(), ignored);
  }
  return true;
}

// A name the server reports for a file of the update folder stays a plain name.
bool PlainFileName(const std::string& name) {
  const auto parsed = ParseFileList(name);
  return parsed && parsed->size() == 1 && !parsed->front().has_folder;
}

}  // namespace

bool CheckUpdateVersion(shell::Shell& shell, ModUpdate& settings, const FtpOpener& open_ftp) {
  FtpSession session(shell, settings, open_ftp);
  if (session.state() == FtpSession::State::NotOpened) return false;
  if (session.state() == FtpSession::State::NotConnected) {
    shell.MsgBox(kConnectFailedMessage);
    return false;
  }
  FtpClient& connection = session.connection();
  const fs::path update_folder = UpdateFolderOf(shell.ProgramFolder());
  if (!PrepareUpdateFolder(update_folder)) return false;
  // A server without the update folder has no Version.txt for us, whatever its other folders hold.
  const bool in_update_folder = FtpChangeDir(connection, kServerFolder) != 0;
  const auto found = in_update_folder ? connection.FindFirstFile(kVersionFile) : std::nullopt;
  if (!found) {
    shell.MsgBox(kNoVersionFileMessage);
    return false;
  }
  if (!PlainFileName(*found)) return false;
  // The local copy keeps one name, so the download finds it whatever case the server reports.
  const fs::path local_copy = update_folder / kVersionFile;
  if (!connection.GetFile(*found, local_copy)) return false;
  const auto first_line = ReadFirstLines(local_copy, 1);
  if (!first_line) return false;
  const std::string& server_version = first_line->front();

  std::string buffer(kProfileBufferSize, ' ');
  GetPrivateProfileString(kProfileSection, kProfileKey, "1", buffer, shell.ProgramFolder() / kProfileFile);
  settings.UpdateVersion = TrimAtNull(buffer);

  if (rt::Val(from_utf8(settings.UpdateVersion)) >= rt::Val(from_utf8(server_version))) {
    shell.MsgBox(kUpToDateMessage);
    return false;
  }
  settings.UpdateVersion = server_version;
  return true;
}

}  // namespace tabrel::update
