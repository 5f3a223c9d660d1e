#include "update/mod_update.h"

#include "update/curl_ftp_client.h"

#ifndef TABREL_UPDATE_HOST
#error "TABREL_UPDATE_HOST names the update server"
#endif

namespace tabrel::update {

std::string UpdateConnection::DefaultHost() { return TABREL_UPDATE_HOST; }

FtpOpener UpdateConnection::DefaultOpener() {
  return [](const std::string& agent) { return OpenCurlFtp(agent); };
}

std::string TrimAtNull(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  std::string trimmed = text.substr(begin, end - begin);
  if (const size_t nul = trimmed.find('\0'); nul != std::string::npos) trimmed.resize(nul);
  return trimmed;
}

std::filesystem::path UpdateFolderOf(const std::filesystem::path& program_folder) {
  return program_folder / kUpdateFolder;
}

}  // namespace tabrel::update
