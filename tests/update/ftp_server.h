#pragma once
// A real FTP server (pyftpdlib) on 127.0.0.1, started by the test on a free port with the
// update's account and the given root folder, and always killed when the test ends.

#include <sys/types.h>

#include <filesystem>

namespace tabrel::update::testing {

class FtpServer {
 public:
  // Starts the server; bytes_per_second > 0 slows every transfer down to that rate.
  explicit FtpServer(const std::filesystem::path& root, long bytes_per_second = 0);
  ~FtpServer();
  FtpServer(const FtpServer&) = delete;
  FtpServer& operator=(const FtpServer&) = delete;

  bool started() const { return port_ > 0; }
  long port() const { return port_; }
  void Pause();  // the server stops answering, connections stay open
  void Kill();   // the server ends at once, connections drop

 private:
  pid_t pid_ = -1;
  int input_ = -1;  // the server's standard input; closing it ends the server
  long port_ = 0;
};

// A loopback port on which nothing listens.
long UnusedPort();

}  // namespace tabrel::update::testing
