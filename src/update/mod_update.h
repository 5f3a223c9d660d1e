#pragma once
// The update's fixed values, its shared settings (`UpdateServer`, `UpdatePort`, `UpdateUser`,
// `UpdatePassword`, `UpdateVersion`), the place of its files in the program folder, and the one
// way a test points the update at another server.

#include <filesystem>
#include <string>

#include "update/ftp_client.h"

namespace tabrel::update {

inline constexpr char kAgent[] = "FTP File Transfer";
inline constexpr long kUpdatePort = 21;
inline constexpr char kUpdateUser[] = "brimeth";
inline constexpr char kUpdatePassword[] = "quivmer4720";
inline constexpr char kServerFolder[] = "/ovd";
inline constexpr char kVersionFile[] = "Version.txt";
inline constexpr char kUpdateFolder[] = "Update";  // also written "update": one folder
inline constexpr char kProfileFile[] = "Update.ini";
inline constexpr char kProfileSection[] = "Update";
inline constexpr char kProfileKey[] = "UPDATE_VERSION";
inline constexpr char kUpdaterFile[] = "update.exe";
inline constexpr size_t kProfileBufferSize = 255;

inline constexpr char16_t kConnectFailedMessage[] = u"FTP 연결 실패";
inline constexpr char16_t kNoVersionFileMessage[] = u"업데이트 파일이 없음";
inline constexpr char16_t kUpToDateMessage[] = u"최신 버전까지 모두 업데이트 되어 없습니다";
inline constexpr char16_t kServerFailedMessage[] = u"FTP 서버 연결에 실패하였습니다";
inline constexpr char16_t kUpdateFailedMessage[] = u"업데이트 도중 오류가 발생하였습니다.";
inline constexpr char16_t kUpdateDoneMessage[] = u"업데이트 완료...";

// The shared settings and the version of one update run.
struct ModUpdate {
  std::string UpdateServer;
  std::string UpdatePort;
  std::string UpdateUser;
  std::string UpdatePassword;
  std::string UpdateVersion;
};

// Where the update server is and the client that reaches it. The program uses the defaults: the
// host set at build time, port 21 and the libcurl client; a test points host and port at a
// server of its own on the loopback interface.
struct UpdateConnection {
  std::string host = DefaultHost();
  long port = kUpdatePort;
  FtpOpener open_ftp = DefaultOpener();

  static std::string DefaultHost();
  static FtpOpener DefaultOpener();
};

// The text with the blanks at both ends removed, then cut before its first NUL.
std::string TrimAtNull(const std::string& text);

// The program folder's `Update` folder.
std::filesystem::path UpdateFolderOf(const std::filesystem::path& program_folder);

}  // namespace tabrel::update
