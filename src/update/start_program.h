#pragma once
// Starting a program of the program folder as its own process: in its own session, in its
// folder, with no arguments, not waited for.

#include <sys/types.h>

#include <filesystem>
#include <optional>

namespace tabrel::update {

// The started program's process id; nothing when it cannot be started.
std::optional<pid_t> StartProgram(const std::filesystem::path& program);

}  // namespace tabrel::update
