#pragma once
// The lock by which the updater knows that the grader has ended: every running grader holds
// the program folder's lock file shared for as long as it runs, and the updater takes it alone.
// The lock belongs to the open file, is not passed on to started programs, and the system
// drops it when the holder ends, however it ends.

#include <filesystem>
#include <optional>

namespace tabrel::update {

inline constexpr char kProgramLockFile[] = "tabrel-grader.lock";

class ProgramLock {
 public:
  enum class Kind { Shared, Exclusive };

  // The lock of `program_folder` taken as `kind`: waits for it when `wait`, else gives nothing
  // at once when another holder stands in the way. Nothing when the lock file cannot be opened.
  static std::optional<ProgramLock> Take(const std::filesystem::path& program_folder, Kind kind, bool wait);

  ProgramLock(ProgramLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  ProgramLock& operator=(ProgramLock&& other) noexcept;
  ProgramLock(const ProgramLock&) = delete;
  ProgramLock& operator=(const ProgramLock&) = delete;
  ~ProgramLock();

 private:
  explicit ProgramLock(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace tabrel::update
