#include "update/download.h"

#include <system_error>

#include "update/ftp_session.h"
#include "update/mod_ftp.h"
#include "update/version_file.h"

namespace tabrel::update {

namespace {

namespace fs = std::filesystem;

constexpr int16_t kConnectFailedIcon = 2;

void MarkRowsFailed(shell::ListView& rows) {
  for (int i = 1; i <= rows.Count(); ++i) rows.Item(i).SmallIcon = kConnectFailedIcon;
}

// The local folder of an entry with a folder part, made one level deep when missing.
bool EnsureLocalFolder(const fs::path& folder) {
  std::error_code ec;
  if (fs::exists(fs::symlink_status(folder, ec))) return true;
  return fs::create_directory(folder, ec);
}

}  // namespace

bool DownloadUpdateFiles(shell::Shell& shell, const ModUpdate& settings, const FtpOpener& open_ftp) {
  FtpSession session(shell, settings, open_ftp);
  if (session.state() == FtpSession::State::NotOpened) return false;
  if (session.state() == FtpSession::State::NotConnected) {
    MarkRowsFailed(shell.comtest.ListView1);
    shell.MsgBox(kServerFailedMessage);
    return false;
  }
  FtpClient& connection = session.connection();
  if (!FtpChangeDir(connection, kServerFolder)) return false;

  const fs::path update_folder = UpdateFolderOf(shell.ProgramFolder());
  const auto lines = ReadFirstLines(update_folder / kVersionFile, 2);
  if (!lines) return false;
  const auto entries = ParseFileList((*lines)[1]);
  if (!entries) return false;

  bool away_from_update_folder = false;
  for (const FileEntry& entry : *entries) {
    fs::path local_folder = update_folder;
    if (entry.has_folder) {
      if (!FtpChangeDir(connection, kServerFolder + entry.folder_part)) return false;
      away_from_update_folder = true;
      local_folder += entry.folder_part;
      if (!EnsureLocalFolder(local_folder)) return false;
    } else if (away_from_update_folder) {
      if (!FtpChangeDir(connection, kServerFolder)) return false;
      away_from_update_folder = false;
    }
    if (!connection.GetFile(entry.remote_name, local_folder / entry.remote_name)) return false;
    shell.DoEvents();
  }
  return true;
}

}  // namespace tabrel::update
