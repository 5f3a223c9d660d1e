#include "update/mod_ftp.h"

namespace tabrel::update {

int32_t FtpChangeDir(FtpClient& connection, const std::string& folder_path) {
  if (folder_path.empty()) return 0;
  std::string folder = folder_path;
  if (folder.back() != '/') folder += '/';
  return connection.SetCurrentDirectory(folder) ? 1 : 0;
}

}  // namespace tabrel::update
