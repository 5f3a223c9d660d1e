#include "spreadsheet/cfb/directory.h"

#include <algorithm>
#include <string>
#include <utility>

#include "spreadsheet/cfb/chain.h"
#include "spreadsheet/cfb/entry_name.h"
#include "spreadsheet/cfb/error.h"
#include "spreadsheet/cfb/little_endian.h"
#include "spreadsheet/cfb/message_text.h"

namespace tabrel::cfb {
namespace {

[[noreturn]] void bad_entry(uint32_t index, uint64_t offset, const std::string& what) {
  throw Error(ErrorCode::BadDirectoryEntry, "directory entry " + std::to_string(index) +
                                                " at offset " + std::to_string(offset) + " " + what);
}

std::u16string read_name(const uint8_t* p, uint32_t index, uint64_t offset, Mode mode) {
  const uint16_t length = load_u16(p + entry_offset::kNameLength);
  if (length > kMaxNameBytes)
    bad_entry(index, offset, "has name length " + std::to_string(length) + ", more than " +
                                 std::to_string(kMaxNameBytes));
  if (mode == Mode::Strict && (length % 2 != 0 || length < 2))
    bad_entry(index, offset, "has invalid name length " + std::to_string(length));
  const size_t chars = length < 2 ? 0 : length / 2 - 1;
  std::u16string name;
  for (size_t i = 0; i < chars; ++i) {
    const char16_t c = load_u16(p + entry_offset::kName + 2 * i);
    if (c == u'\0') {
      if (mode == Mode::Strict) bad_entry(index, offset, "has a NUL inside its name");
      break;
    }
    name.push_back(c);
  }
  if (mode == Mode::Strict && load_u16(p + entry_offset::kName + 2 * chars) != 0)
    bad_entry(index, offset, "has a name without its terminating NUL");
  return name;
}

DirectoryEntry read_entry(const uint8_t* p, uint32_t index, uint64_t offset, const Header& h, Mode mode) {
  DirectoryEntry e;
  e.type = p[entry_offset::kType];
  const bool known = e.type == kTypeUnused || e.type == kTypeStorage || e.type == kTypeStream ||
                     e.type == kTypeRoot;
  if (!known) {
    if (mode == Mode::Strict) bad_entry(index, offset, "has unknown object type " + std::to_string(e.type));
    e.type = kTypeUnused;
  }
  if (index == 0 && e.type != kTypeRoot)
    bad_entry(index, offset, "is not the root entry (object type " + std::to_string(e.type) + ")");
  if (index != 0 && e.type == kTypeRoot) {
    if (mode == Mode::Strict) bad_entry(index, offset, "is a second root entry");
    e.type = kTypeStorage;
  }
  if (e.type == kTypeUnused) return e;
  e.name = read_name(p, index, offset, mode);
  e.left = load_u32(p + entry_offset::kLeft);
  e.right = load_u32(p + entry_offset::kRight);
  e.child = load_u32(p + entry_offset::kChild);
  e.start_sector = load_u32(p + entry_offset::kStartSector);
  e.size = load_u64(p + entry_offset::kSize);
  if (h.major_version == 3) e.size &= 0xFFFFFFFFull;
  if (e.type == kTypeStream && e.child != kNoStream) {
    if (mode == Mode::Strict) bad_entry(index, offset, "is a stream with a child link");
    e.child = kNoStream;
  }
  return e;
}

// Walks the sibling tree under each storage in order and records the children; every entry
// may be reached once.
class TreeWalk {
 public:
  TreeWalk(std::vector<DirectoryEntry>& entries, Mode mode) : entries_(entries), mode_(mode) {}

  void run() {
    std::vector<std::pair<uint32_t, size_t>> storages = {{0, 0}};
    entries_[0].reachable = true;
    while (!storages.empty()) {
      const auto [storage, depth] = storages.back();
      storages.pop_back();
      collect_children(storage);
      sort_by_name(storage);
      for (uint32_t child : entries_[storage].children) {
        if (entries_[child].type != kTypeStorage) continue;
        if (depth + 1 > kMaxStorageDepth)
          throw Error(ErrorCode::DirectoryTooDeep, "storages nested deeper than " +
                                                       std::to_string(kMaxStorageDepth) +
                                                       " levels at directory entry " +
                                                       std::to_string(child));
        storages.emplace_back(child, depth + 1);
      }
    }
  }

 private:
  // The entry that `from` links to, or kNoStream when the link leads nowhere usable.
  uint32_t follow(uint32_t from, uint32_t to) {
    if (to == kNoStream) return kNoStream;
    if (to >= entries_.size())
      throw Error(ErrorCode::BadDirectoryEntry, "directory entry " + std::to_string(from) +
                                                    " links to entry " + std::to_string(to) +
                                                    ", beyond the " + std::to_string(entries_.size()) +
                                                    " entries");
    if (entries_[to].reachable)
      throw Error(ErrorCode::DirectoryLoop, "directory entry " + std::to_string(to) +
                                                " is reached twice through sibling or child links");
    if (entries_[to].type == kTypeUnused) {
      if (mode_ == Mode::Strict)
        throw Error(ErrorCode::BadDirectoryEntry, "directory entry " + std::to_string(from) +
                                                      " links to unused entry " + std::to_string(to));
      return kNoStream;
    }
    entries_[to].reachable = true;
    return to;
  }

  void collect_children(uint32_t storage) {
    std::vector<uint32_t>& children = entries_[storage].children;
    std::vector<uint32_t> pending;
    uint32_t current = follow(storage, entries_[storage].child);
    while (current != kNoStream || !pending.empty()) {
      while (current != kNoStream) {
        pending.push_back(current);
        current = follow(current, entries_[current].left);
      }
      current = pending.back();
      pending.pop_back();
      if (mode_ == Mode::Strict && !children.empty()) check_order(children.back(), current);
      children.push_back(current);
      current = follow(current, entries_[current].right);
    }
  }

  // Damaged files may list siblings out of order, so lookups get a sorted copy of their own.
  void sort_by_name(uint32_t storage) {
    std::vector<uint32_t>& sorted = entries_[storage].children_by_name;
    sorted = entries_[storage].children;
    std::stable_sort(sorted.begin(), sorted.end(), [&](uint32_t a, uint32_t b) {
      return compare_names(entries_[a].name, entries_[b].name) < 0;
    });
  }

  void check_order(uint32_t before, uint32_t after) const {
    if (compare_names(entries_[before].name, entries_[after].name) < 0) return;
    throw Error(ErrorCode::BadSiblingOrder, "directory entry " + std::to_string(after) + " " +
                                                quoted(entries_[after].name) +
                                                " does not sort after its sibling " +
                                                std::to_string(before) + " " +
                                                quoted(entries_[before].name));
  }

  std::vector<DirectoryEntry>& entries_;
  Mode mode_;
};

}  // namespace

Directory read_directory(const Header& h, const SectorFile& file, const std::vector<uint32_t>& fat,
                         Mode mode) {
  Directory dir;
  dir.sectors = follow_chain(fat, h.first_directory_sector, {.what = "the directory", .to_end = true});
  if (dir.sectors.empty())
    throw Error(ErrorCode::BadDirectoryEntry, "the directory holds no entries");
  if (mode == Mode::Strict && h.major_version == 4 && h.directory_sectors != dir.sectors.size())
    throw Error(ErrorCode::BadHeader, "header counts " + std::to_string(h.directory_sectors) +
                                          " directory sectors at offset " +
                                          std::to_string(header_offset::kDirectorySectors) +
                                          ", the chain holds " + std::to_string(dir.sectors.size()));
  const uint32_t per_sector = file.sector_size() / kDirectoryEntryBytes;
  dir.entries.reserve(dir.sectors.size() * per_sector);
  for (uint32_t sector : dir.sectors) {
    const std::span<const uint8_t> bytes = file.sector(sector, "the directory");
    for (uint32_t i = 0; i < per_sector; ++i) {
      const uint32_t index = static_cast<uint32_t>(dir.entries.size());
      const uint64_t offset = h.sector_offset(sector) + i * kDirectoryEntryBytes;
      if ((i + 1) * kDirectoryEntryBytes > bytes.size()) {
        if (index == 0) bad_entry(0, offset, "is cut off by the end of the file");
        dir.entries.emplace_back();
        continue;
      }
      dir.entries.push_back(read_entry(bytes.data() + i * kDirectoryEntryBytes, index, offset, h, mode));
    }
  }
  TreeWalk(dir.entries, mode).run();
  return dir;
}

}  // namespace tabrel::cfb
