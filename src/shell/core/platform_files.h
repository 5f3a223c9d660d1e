#pragma once
// The few file-system services of the shell, as the desktop platform offered them.

#include <filesystem>

namespace tabrel::shell {

// Sets a target's attributes to "normal": the owner may write it (the file itself is never
// written). A missing file raises "file not found" (53).
void SetNormalAttributes(const std::filesystem::path& file);

// Removes the folder when it exists and is empty; anything else leaves it, silently.
void RemoveEmptyFolder(const std::filesystem::path& folder);

// Whether a program can open the target: it is a regular file that can be read.
bool TargetHasAssociatedProgram(const std::filesystem::path& file);

// The folder that holds the running executable (the program folder).
std::filesystem::path ExecutableFolder();

// A UTF-16 path text as a file-system path and back.
std::filesystem::path PathFromText(const std::u16string& text);
std::u16string PathText(const std::filesystem::path& path);

}  // namespace tabrel::shell
