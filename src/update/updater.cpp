#include "update/updater.h"

#include <signal.h>
#include <sys/wait.h>

#include <optional>
#include <thread>

#include "update/installation.h"
#include "update/program_lock.h"
#include "update/start_program.h"

namespace tabrel::update {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kPoll{50};

// The program folder's lock taken alone, once no grader holds it any more.
std::optional<ProgramLock> WaitForNoGrader(const fs::path& folder, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (true) {
    if (auto lock = ProgramLock::Take(folder, ProgramLock::Kind::Exclusive, false)) return lock;
    if (Clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kPoll);
  }
}

// Whether the started grader took its lock before it ended or the time ran out; a grader that
// did not is stopped.
bool GraderStarted(const fs::path& folder, pid_t grader, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (true) {
    int status = 0;
    if (::waitpid(grader, &status, WNOHANG) == grader) return false;
    if (!ProgramLock::Take(folder, ProgramLock::Kind::Exclusive, false)) return true;
    if (Clock::now() >= deadline) break;
    std::this_thread::sleep_for(kPoll);
  }
  ::kill(grader, SIGKILL);
  int status = 0;
  ::waitpid(grader, &status, 0);
  return false;
}

}  // namespace

UpdaterOutcome RunUpdater(const fs::path& program_folder, const UpdaterWaits& waits) {
  const fs::path grader = program_folder / kGraderProgram;
  auto alone = WaitForNoGrader(program_folder, waits.grader_end);
  if (!alone) return UpdaterOutcome::GraderStillRunning;

  Installation installation(program_folder);
  const bool installed = installation.Install();
  alone.reset();
  if (!installed) {
    StartProgram(grader);
    return UpdaterOutcome::ReplacementFailed;
  }
  const auto started = StartProgram(grader);
  if (started && GraderStarted(program_folder, *started, waits.grader_start)) {
    installation.Commit();
    return UpdaterOutcome::Updated;
  }
  alone = WaitForNoGrader(program_folder, waits.grader_end);
  installation.RollBack();
  alone.reset();
  StartProgram(grader);
  return UpdaterOutcome::NewGraderFailed;
}

}  // namespace tabrel::update
