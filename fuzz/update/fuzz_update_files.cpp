// The update's files as a server or a damaged disk may leave them: the input is read as
// Version.txt (its lines and file list) and as Update.ini (read, then a value written).

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "update/profile_file.h"
#include "update/version_file.h"

namespace {

// The one scratch file of this process, removed when it ends.
struct ScratchFile {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("fuzz_update_files-" + std::to_string(::getpid()));
  ~ScratchFile() {
    std::error_code ec;
    std::filesystem::remove(path, ec);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tabrel::update;
  static const ScratchFile scratch;
  const std::filesystem::path& file = scratch.path;
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                static_cast<std::streamsize>(size));
  if (const auto lines = ReadFirstLines(file, 2)) ParseFileList((*lines)[1]);
  std::string buffer(255, ' ');
  GetPrivateProfileString("Update", "UPDATE_VERSION", "1", buffer, file);
  WritePrivateProfileString("Update", "UPDATE_VERSION", "2.0", file);
  return 0;
}
