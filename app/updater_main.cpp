// update.exe: the updater the grader starts, without arguments, from the program folder after
// an online update has fetched new files into `Update`. It waits for the grader to end,
// replaces the program's files and starts the grader again.

#include "shell/core/platform_files.h"
#include "update/updater.h"

int main() {
  using namespace tabrel;
  const auto outcome = update::RunUpdater(shell::ExecutableFolder());
  return outcome == update::UpdaterOutcome::Updated ? 0 : 1;
}
