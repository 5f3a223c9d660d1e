#include "update/start_program.h"

#include <spawn.h>

extern char** environ;

namespace tabrel::update {

std::optional<pid_t> StartProgram(const std::filesystem::path& program) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  if (posix_spawn_file_actions_init(&actions) != 0) return std::nullopt;
  if (posix_spawnattr_init(&attributes) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return std::nullopt;
  }
  const std::filesystem::path folder = program.parent_path();
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  std::string path = program.string();
  char* argv[] = {path.data(), nullptr};
  pid_t pid = 0;
  const int result = posix_spawn(&pid, path.c_str(), &actions, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (result != 0) return std::nullopt;
  return pid;
}

}  // namespace tabrel::update
