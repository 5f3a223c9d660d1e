#include "spreadsheet/cfb/compound_file.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

#include "spreadsheet/cfb/entry_name.h"
#include "spreadsheet/cfb/file_state.h"
#include "spreadsheet/cfb/message_text.h"
#include "spreadsheet/cfb/stream_reader.h"
#include "spreadsheet/cfb/validation.h"

namespace tabrel::cfb {
namespace {

constexpr uint32_t kNotFound = kNoStream;

// The child of `storage` called `name` (the first in sibling order when a damaged file holds
// the name twice), or kNotFound.
uint32_t child_named(const Directory& dir, uint32_t storage, std::u16string_view name) {
  const std::vector<uint32_t>& sorted = dir.entries[storage].children_by_name;
  const auto it = std::lower_bound(sorted.begin(), sorted.end(), name, [&](uint32_t child, std::u16string_view n) {
    return compare_names(dir.entries[child].name, n) < 0;
  });
  if (it == sorted.end() || compare_names(dir.entries[*it].name, name) != 0) return kNotFound;
  return *it;
}

// The entry at `path`, or kNotFound; `stored_path` gets the names as the file spells them.
uint32_t lookup(const Directory& dir, std::u16string_view path, std::u16string* stored_path = nullptr) {
  uint32_t current = 0;
  while (true) {
    const size_t slash = path.find(u'/');
    const uint32_t found = child_named(dir, current, path.substr(0, slash));
    if (found == kNotFound) return found;
    if (stored_path != nullptr) *stored_path += (current == 0 ? u"" : u"/") + dir.entries[found].name;
    if (slash == std::u16string_view::npos) return found;
    current = found;
    path.remove_prefix(slash + 1);
  }
}

Entry to_entry(const DirectoryEntry& e, std::u16string path) {
  const bool stream = e.type == kTypeStream;
  return {std::move(path), stream ? EntryType::Stream : EntryType::Storage, stream ? e.size : 0};
}

void append_entries(const Directory& dir, uint32_t storage, const std::u16string& prefix,
                    std::vector<Entry>& out) {
  // Depth is bounded by kMaxStorageDepth, so recursion stays shallow.
  for (uint32_t child : dir.entries[storage].children) {
    const DirectoryEntry& e = dir.entries[child];
    std::u16string path = prefix.empty() ? e.name : prefix + u"/" + e.name;
    out.push_back(to_entry(e, path));
    if (e.type == kTypeStorage) append_entries(dir, child, path, out);
  }
}

}  // namespace

FileState::FileState(std::span<const uint8_t> file_bytes, std::unique_ptr<const std::vector<uint8_t>> owned,
                     Mode file_mode)
    : owned_bytes(std::move(owned)),
      bytes(file_bytes),
      mode(file_mode),
      header(read_header(bytes, mode)),
      file(bytes, header),
      fat(read_fat(header, file, mode)),
      directory(read_directory(header, file, fat.next, mode)) {
  try {
    minifat = read_minifat(header, file, fat.next, mode);
    mini_stream = locate_mini_stream(directory.entries[0], fat.next, file.sector_size(), mode);
  } catch (const Error& e) {
    if (mode == Mode::Strict) throw;
    mini_error = e;
  }
}

CompoundFile::CompoundFile(std::shared_ptr<const FileState> state) : state_(std::move(state)) {}

CompoundFile CompoundFile::open(std::vector<uint8_t> bytes, Mode mode) {
  auto owned = std::make_unique<const std::vector<uint8_t>>(std::move(bytes));
  const std::span<const uint8_t> view(*owned);
  auto state = std::make_shared<const FileState>(view, std::move(owned), mode);
  if (mode == Mode::Strict) validate_strictly(*state);
  return CompoundFile(std::move(state));
}

CompoundFile CompoundFile::open_view(std::span<const uint8_t> bytes, Mode mode) {
  auto state = std::make_shared<const FileState>(bytes, nullptr, mode);
  if (mode == Mode::Strict) validate_strictly(*state);
  return CompoundFile(std::move(state));
}

bool CompoundFile::exists(std::u16string_view path) const {
  return lookup(state_->directory, path) != kNotFound;
}

std::optional<Entry> CompoundFile::find(std::u16string_view path) const {
  std::u16string stored_path;
  const uint32_t index = lookup(state_->directory, path, &stored_path);
  if (index == kNotFound) return std::nullopt;
  return to_entry(state_->directory.entries[index], std::move(stored_path));
}

std::vector<uint8_t> CompoundFile::read_stream(std::u16string_view path) const {
  const uint32_t index = lookup(state_->directory, path);
  if (index == kNotFound)
    throw Error(ErrorCode::NotFound, "no entry " + quoted(path) + " in the compound file");
  const DirectoryEntry& entry = state_->directory.entries[index];
  if (entry.type != kTypeStream)
    throw Error(ErrorCode::NotAStream, quoted(path) + " is a storage, not a stream");
  return read_entry_bytes(*state_, entry);
}

std::vector<CompoundFile::SharedBytes> CompoundFile::read_streams(std::span<const std::u16string> paths) const {
  std::vector<SharedBytes> out;
  out.reserve(paths.size());
  std::map<std::tuple<bool, uint32_t, uint64_t>, SharedBytes> read_before;
  for (const std::u16string& path : paths) {
    const uint32_t index = lookup(state_->directory, path);
    if (index == kNotFound || state_->directory.entries[index].type != kTypeStream) {
      out.emplace_back();
      continue;
    }
    const DirectoryEntry& entry = state_->directory.entries[index];
    const auto [known, first_time] = read_before.try_emplace({in_mini_stream(entry), entry.start_sector, entry.size});
    if (first_time) {
      try {
        known->second = std::make_shared<const std::vector<uint8_t>>(read_entry_bytes(*state_, entry));
      } catch (const Error&) {
        // stays null: the caller leaves the stream out
      }
    }
    out.push_back(known->second);
  }
  return out;
}

std::vector<Entry> CompoundFile::entries() const {
  std::vector<Entry> out;
  append_entries(state_->directory, 0, u"", out);
  return out;
}

uint16_t CompoundFile::major_version() const { return state_->header.major_version; }
uint32_t CompoundFile::sector_size() const { return state_->file.sector_size(); }
Mode CompoundFile::mode() const { return state_->mode; }

}  // namespace tabrel::cfb
