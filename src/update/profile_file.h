#pragma once
// Profile (INI) files as the desktop's profile functions read and write them: sections and keys
// matched without regard to ASCII case, values trimmed of blanks and of one pair of enclosing
// quotes, the answer copied into a fixed-size character buffer.

#include <filesystem>
#include <string>

namespace tabrel::update {

// Copies the value of `key` in `section` (or `default_value`, without its trailing blanks, when
// the file, the section or the key is missing) into `buffer`, cut to buffer.size() - 1
// characters and followed by a NUL; the rest of the buffer stays as it was. Returns the number
// of characters copied, the NUL not counted. An empty buffer receives nothing.
size_t GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& default_value,
                               std::string& buffer, const std::filesystem::path& file);

// Sets `key` in `section` to `value`, adding the section and the key when missing and creating
// the file when needed; the other lines stay as they were. The file is replaced whole (written
// aside, then renamed). False when it cannot be written or the value holds a line break.
bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::filesystem::path& file);

}  // namespace tabrel::update
