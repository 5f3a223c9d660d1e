#include "update/ftp_server.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace tabrel::update::testing {

namespace {

constexpr int kStartMilliseconds = 15000;
constexpr char kLifetimeSeconds[] = "120";

// The first line the server prints, waited for at most kStartMilliseconds.
std::string ReadFirstLine(int fd) {
  std::string line;
  pollfd p{fd, POLLIN, 0};
  while (line.find('\n') == std::string::npos) {
    if (::poll(&p, 1, kStartMilliseconds) <= 0) return "";
    char buffer[64];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) return "";
    line.append(buffer, static_cast<size_t>(n));
  }
  return line;
}

}  // namespace

FtpServer::FtpServer(const std::filesystem::path& root, long bytes_per_second) {
  int output[2], input[2];
  if (::pipe2(output, O_CLOEXEC) != 0) return;
  if (::pipe2(input, O_CLOEXEC) != 0) {
    ::close(output[0]);
    ::close(output[1]);
    return;
  }
  const std::string script = std::string(TABREL_SOURCE_DIR) + "/tests/update/ftp_server.py";
  const std::string rate = std::to_string(bytes_per_second);
  pid_ = ::fork();
  if (pid_ == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::dup2(input[0], STDIN_FILENO);
    ::dup2(output[1], STDOUT_FILENO);
    ::execl(TABREL_TEST_PYTHON, TABREL_TEST_PYTHON, script.c_str(), root.c_str(), "brimeth", "quivmer4720",
            kLifetimeSeconds, rate.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(output[1]);
  ::close(input[0]);
  input_ = input[1];
  if (pid_ > 0) port_ = std::strtol(ReadFirstLine(output[0]).c_str(), nullptr, 10);
  ::close(output[0]);
}

FtpServer::~FtpServer() {
  Kill();
  if (input_ >= 0) ::close(input_);
}

void FtpServer::Pause() {
  if (pid_ > 0) ::kill(pid_, SIGSTOP);
}

void FtpServer::Kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
}

long UnusedPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  long port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
    port = ntohs(address.sin_port);
  }
  ::close(fd);
  return port;
}

}  // namespace tabrel::update::testing
