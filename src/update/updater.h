#pragma once
// The updater `update.exe`: started by the grader with no arguments from the program folder,
// it waits until the grader has ended, installs what the `Update` folder holds and starts the
// grader again, keeping the replaced files until the new grader runs.

#include <chrono>
#include <filesystem>

namespace tabrel::update {

inline constexpr char kGraderProgram[] = "tabrel-grader";

struct UpdaterWaits {
  std::chrono::milliseconds grader_end{std::chrono::minutes(2)};    // for the grader to end
  std::chrono::milliseconds grader_start{std::chrono::seconds(30)}; // for the new one to run
};

enum class UpdaterOutcome {
  Updated,             // the new files are in place and the new grader runs
  GraderStillRunning,  // the grader did not end in time: nothing was changed
  ReplacementFailed,   // a file could not be replaced: the old files are back, the old grader started
  NewGraderFailed,     // the new grader did not start: the old files are back, the old grader started
};

UpdaterOutcome RunUpdater(const std::filesystem::path& program_folder, const UpdaterWaits& waits = {});

}  // namespace tabrel::update
