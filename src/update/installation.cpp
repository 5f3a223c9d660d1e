#include "update/installation.h"

#include <algorithm>
#include <system_error>

#include "update/mod_update.h"
#include "update/program_lock.h"

namespace tabrel::update {

namespace {

namespace fs = std::filesystem;

constexpr char kAsideSuffix[] = ".update-new";

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

// Files of the update folder that are the update's own and not the program's.
bool UpdatesOwnFile(const fs::path& relative) {
  const std::string first = relative.begin()->string();
  for (const char* own : {kVersionFile, kProfileFile, kUpdateFolder, kBackupFolder, kProgramLockFile}) {
    if (SameNameIgnoringCase(first, own)) return true;
  }
  return false;
}

// The update folder's regular files (links are not followed), by relative path.
std::vector<fs::path> UpdateFiles(const fs::path& update_folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(update_folder, fs::directory_options::skip_permission_denied, ec), end;
       !ec && it != end; it.increment(ec)) {
    std::error_code status_ec;
    if (!fs::is_regular_file(it->symlink_status(status_ec))) continue;
    const fs::path relative = fs::relative(it->path(), update_folder, status_ec);
    if (!status_ec && !relative.empty() && !UpdatesOwnFile(relative)) files.push_back(relative);
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

Installation::Installation(fs::path program_folder) : folder_(std::move(program_folder)) {}

bool Installation::Install() {
  std::error_code ec;
  fs::remove_all(folder_ / kBackupFolder, ec);
  for (const fs::path& relative : UpdateFiles(UpdateFolderOf(folder_))) {
    if (!InstallOne(relative)) {
      RollBack();
      return false;
    }
  }
  return true;
}

bool Installation::InstallOne(const fs::path& relative) {
  Step step{UpdateFolderOf(folder_) / relative, folder_ / relative, folder_ / kBackupFolder / relative, false};
  fs::path aside = step.target;
  aside += kAsideSuffix;
  std::error_code ec;
  fs::create_directories(step.target.parent_path(), ec);
  if (ec) return false;
  const fs::file_status old_status = fs::symlink_status(step.target, ec);
  step.replaced_existing = fs::exists(old_status);
  if (step.replaced_existing && !fs::is_regular_file(old_status)) return false;

  if (!fs::copy_file(step.source, aside, fs::copy_options::overwrite_existing, ec)) return false;
  if (step.replaced_existing) fs::permissions(aside, old_status.permissions(), ec);
  if (!ec && step.replaced_existing) {
    fs::create_directories(step.backup.parent_path(), ec);
    if (!ec) fs::create_hard_link(step.target, step.backup, ec);
    if (ec) {
      ec.clear();
      fs::copy_file(step.target, step.backup, fs::copy_options::overwrite_existing, ec);
    }
  }
  if (!ec) fs::rename(aside, step.target, ec);
  if (ec) {
    fs::remove(aside, ec);
    return false;
  }
  steps_.push_back(std::move(step));
  return true;
}

void Installation::Commit() {
  std::error_code ec;
  fs::remove_all(folder_ / kBackupFolder, ec);
  for (const Step& step : steps_) fs::remove(step.source, ec);
  steps_.clear();
}

void Installation::RollBack() {
  std::error_code ec;
  for (auto it = steps_.rbegin(); it != steps_.rend(); ++it) {
    if (it->replaced_existing) fs::rename(it->backup, it->target, ec);
    else fs::remove(it->target, ec);
  }
  fs::remove_all(folder_ / kBackupFolder, ec);
  steps_.clear();
}

}  // namespace tabrel::update
