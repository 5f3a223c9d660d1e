#pragma once
// The FTP client over libcurl: active mode (the server connects back to the address of the
// control connection), binary transfers, one connection kept for every request of the client,
// and limits so that a server that stops answering fails the request instead of holding it.

#include <cstdint>

#include "update/ftp_client.h"

namespace tabrel::update {

struct FtpLimits {
  long connect_seconds = 15;          // to reach the server, and for it to connect back
  long response_seconds = 30;         // for each answer on the control connection
  long low_speed_bytes = 1024;        // a transfer slower than this per second ...
  long low_speed_seconds = 30;        // ... for this long fails
  long transfer_seconds = 600;        // the longest one request may take
  std::int64_t max_file_bytes = 256ll << 20;
  std::int64_t max_listing_bytes = 64ll << 10;
};

// A libcurl client with these limits; nothing when libcurl cannot be set up. FTP sends no agent
// text; the client keeps it as libcurl's user agent.
std::unique_ptr<FtpClient> OpenCurlFtp(const std::string& agent, const FtpLimits& limits = {});

}  // namespace tabrel::update
