#pragma once
// What the updater does with the `Update` folder: each file it holds replaces the program
// folder's file of the same relative path. A new file is written aside in its target's folder
// and renamed over the target, so a target is always either old or new, never half written;
// the file it replaces is kept in `Update.old` until the new program has started.

#include <filesystem>
#include <string>
#include <vector>

namespace tabrel::update {

inline constexpr char kBackupFolder[] = "Update.old";

class Installation {
 public:
  explicit Installation(std::filesystem::path program_folder);

  // Replaces the program's files with the update's. On the first failure every file replaced so
  // far is put back and False is returned; the update folder is left as it was.
  bool Install();
  // The new program runs: the kept files and the installed files of the update folder go.
  void Commit();
  // The new program did not start: the replaced files come back, files that were new go.
  void RollBack();

 private:
  struct Step {
    std::filesystem::path source;  // in the update folder
    std::filesystem::path target;  // in the program folder
    std::filesystem::path backup;  // the old target, when there was one
    bool replaced_existing = false;
  };
  bool InstallOne(const std::filesystem::path& relative);

  std::filesystem::path folder_;
  std::vector<Step> steps_;
};

}  // namespace tabrel::update
