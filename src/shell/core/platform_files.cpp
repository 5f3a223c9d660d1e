#include "shell/core/platform_files.h"

#include <fstream>
#include <system_error>

#include "spreadsheet/core/run_time_errors.h"
#include "spreadsheet/core/text.h"

namespace tabrel::shell {

void SetNormalAttributes(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) raise_error(err::kFileNotFound);
  // A file of another owner keeps its permissions; reading it still works.
  std::filesystem::permissions(file, std::filesystem::perms::owner_write, std::filesystem::perm_options::add, ec);
}

void RemoveEmptyFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  if (std::filesystem::is_directory(folder, ec) && std::filesystem::is_empty(folder, ec) && !ec) {
    std::filesystem::remove(folder, ec);
  }
}

bool TargetHasAssociatedProgram(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return false;
  std::ifstream in(file, std::ios::binary);
  return static_cast<bool>(in);
}

std::filesystem::path ExecutableFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

std::filesystem::path PathFromText(const std::u16string& text) { return std::filesystem::path(to_utf8(text)); }

std::u16string PathText(const std::filesystem::path& path) {
  const std::u8string s = path.u8string();
  return from_utf8(std::string(s.begin(), s.end()));
}

}  // namespace tabrel::shell
