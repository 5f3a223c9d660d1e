#include "update/program_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace tabrel::update {

std::optional<ProgramLock> ProgramLock::Take(const std::filesystem::path& program_folder, Kind kind, bool wait) {
  const auto file = program_folder / kProgramLockFile;
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return std::nullopt;
  const int operation = (kind == Kind::Shared ? LOCK_SH : LOCK_EX) | (wait ? 0 : LOCK_NB);
  int result;
  do {
    result = ::flock(fd, operation);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    ::close(fd);
    return std::nullopt;
  }
  return ProgramLock(fd);
}

ProgramLock& ProgramLock::operator=(ProgramLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

ProgramLock::~ProgramLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace tabrel::update
