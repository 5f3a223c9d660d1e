#pragma once
// `Version.txt`: line 1 the version, line 2 the files to fetch joined by "|". Lines end with
// CR LF, a CR alone or an LF alone; further lines are ignored.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tabrel::update {

// The file's first `count` lines; nothing when the file cannot be read or ends before them.
std::optional<std::vector<std::string>> ReadFirstLines(const std::filesystem::path& file, size_t count);

// One entry of the file list: a plain name of the update folder ("x.dll"), or a name after a
// folder part that starts with "/" ("/a/b/x.dll": folder part "/a/b"; "/x.dll": folder part "").
struct FileEntry {
  bool has_folder = false;
  std::string folder_part;
  std::string remote_name;
};

// The entries of line 2 in order; an empty line gives none. Nothing when any entry is refused:
// an entry must stay inside the update folders, so every name and folder is one non-empty
// segment that is not "." or "..", holds no backslash, no ":" (a drive) and no control
// character, and a plain name holds no "/". A list of 32768 or more entries is refused too.
std::optional<std::vector<FileEntry>> ParseFileList(const std::string& line);

}  // namespace tabrel::update
