#pragma once
// The FTP helper both halves of the update use.

#include <cstdint>
#include <string>

#include "update/ftp_client.h"

namespace tabrel::update {

// Makes `folder_path` the server's current folder, with "/" appended when it does not end in
// one. An empty path sends nothing and gives 0; otherwise non-zero when the server accepted it.
int32_t FtpChangeDir(FtpClient& connection, const std::string& folder_path);

}  // namespace tabrel::update
