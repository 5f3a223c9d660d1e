#include "spreadsheet/cfb/compound_writer.h"

#include <algorithm>
#include <utility>

#include "spreadsheet/cfb/chain.h"
#include "spreadsheet/cfb/entry_name.h"
#include "spreadsheet/cfb/format.h"
#include "spreadsheet/cfb/header.h"
#include "spreadsheet/cfb/little_endian.h"
#include "spreadsheet/cfb/message_text.h"
#include "spreadsheet/cfb/sibling_tree.h"
#include "spreadsheet/core/text.h"

namespace tabrel::cfb {
namespace {

std::vector<std::u16string_view> split_path(std::u16string_view path) {
  std::vector<std::u16string_view> names;
  std::u16string_view rest = path;
  while (true) {
    const size_t slash = rest.find(u'/');
    const std::u16string_view name = rest.substr(0, slash);
    if (!is_valid_name(name))
      throw Error(ErrorCode::BadPath, "invalid name " + quoted(name) + " in path " + quoted(path));
    names.push_back(name);
    if (slash == std::u16string_view::npos) return names;
    rest.remove_prefix(slash + 1);
  }
}

[[noreturn]] void throw_too_deep(std::u16string_view path) {
  throw Error(ErrorCode::BadPath, "path " + quoted(path) + " nests storages deeper than " +
                                      std::to_string(kMaxStorageDepth) + " levels");
}

// Where each part of the file goes, in sectors, and where each entry's bytes start.
struct Layout {
  uint32_t sector_size = 0;
  uint64_t fat = 0, difat = 0, directory = 0, minifat = 0, mini_stream = 0, total = 0;
  uint64_t mini_sectors = 0;
  std::vector<uint32_t> start;  // per directory entry: first sector or mini sector

  uint64_t ids_per_sector() const { return sector_size / 4; }
  uint64_t first_directory() const { return fat + difat; }
  uint64_t first_minifat() const { return first_directory() + directory; }
  uint64_t first_mini_stream() const { return first_minifat() + minifat; }
  uint64_t first_stream() const { return first_mini_stream() + mini_stream; }
};

struct FlatEntry {
  std::u16string_view name;
  uint8_t type;
  const std::vector<uint8_t>* bytes;  // streams only
  uint32_t child = kNoStream;
};

void chain_sectors(std::vector<uint32_t>& table, uint64_t first, uint64_t count) {
  for (uint64_t i = 0; i < count; ++i)
    table[first + i] = i + 1 < count ? static_cast<uint32_t>(first + i + 1) : kEndOfChain;
}

void write_entry(std::vector<uint8_t>& out, size_t at, const FlatEntry& e, const SiblingLinks& links,
                 uint32_t start, uint64_t size) {
  namespace off = entry_offset;
  for (size_t i = 0; i < e.name.size(); ++i) store_u16(out, at + off::kName + 2 * i, e.name[i]);
  store_u16(out, at + off::kNameLength, static_cast<uint16_t>((e.name.size() + 1) * 2));
  out[at + off::kType] = e.type;
  out[at + off::kColor] = links.color;
  store_u32(out, at + off::kLeft, links.left);
  store_u32(out, at + off::kRight, links.right);
  store_u32(out, at + off::kChild, e.child);
  store_u32(out, at + off::kStartSector, start);
  store_u64(out, at + off::kSize, size);
}

void write_unused_entry(std::vector<uint8_t>& out, size_t at) {
  store_u32(out, at + entry_offset::kLeft, kNoStream);
  store_u32(out, at + entry_offset::kRight, kNoStream);
  store_u32(out, at + entry_offset::kChild, kNoStream);
}

void write_ids(std::vector<uint8_t>& out, size_t at, const std::vector<uint32_t>& ids) {
  for (size_t i = 0; i < ids.size(); ++i) store_u32(out, at + 4 * i, ids[i]);
}

}  // namespace

CompoundWriter::CompoundWriter() { nodes_.push_back({u"Root Entry", EntryType::Storage, {}, {}, nullptr}); }

size_t CompoundWriter::add_child(size_t parent, std::u16string_view name, EntryType type) {
  nodes_.push_back({std::u16string(name), type, {}, {}, nullptr});
  const size_t child = nodes_.size() - 1;
  nodes_[parent].children.push_back(child);
  nodes_[parent].child_by_name.emplace(upper(name), child);
  return child;
}

size_t CompoundWriter::find_child(size_t parent, std::u16string_view name) const {
  // Names that compare equal have the same length and the same upper-case form.
  const auto& by_name = nodes_[parent].child_by_name;
  const auto it = by_name.find(upper(name));
  return it == by_name.end() ? 0 : it->second;
}

size_t CompoundWriter::parent_of(std::u16string_view path, std::vector<std::u16string_view>& names) {
  names = split_path(path);
  if (names.size() - 1 > kMaxStorageDepth) throw_too_deep(path);
  size_t current = 0;
  for (size_t i = 0; i + 1 < names.size(); ++i) {
    const size_t found = find_child(current, names[i]);
    if (found == 0) {
      current = add_child(current, names[i], EntryType::Storage);
    } else if (nodes_[found].type == EntryType::Storage) {
      current = found;
    } else {
      throw Error(ErrorCode::BadPath, quoted(names[i]) + " in path " + quoted(path) + " is a stream, not a storage");
    }
  }
  return current;
}

void CompoundWriter::add_storage(std::u16string_view path) {
  std::vector<std::u16string_view> names;
  const size_t parent = parent_of(path, names);
  if (names.size() > kMaxStorageDepth) throw_too_deep(path);
  const size_t existing = find_child(parent, names.back());
  if (existing != 0 && nodes_[existing].type == EntryType::Storage) return;
  if (existing != 0) throw Error(ErrorCode::DuplicateEntry, "entry " + quoted(path) + " exists already");
  add_child(parent, names.back(), EntryType::Storage);
}

void CompoundWriter::add_stream(std::u16string_view path, std::vector<uint8_t> bytes) {
  add_shared_stream(path, std::make_shared<const std::vector<uint8_t>>(std::move(bytes)));
}

void CompoundWriter::add_shared_stream(std::u16string_view path, std::shared_ptr<const std::vector<uint8_t>> bytes) {
  std::vector<std::u16string_view> names;
  const size_t parent = parent_of(path, names);
  if (find_child(parent, names.back()) != 0)
    throw Error(ErrorCode::DuplicateEntry, "entry " + quoted(path) + " exists already");
  if (bytes == nullptr) bytes = std::make_shared<const std::vector<uint8_t>>();
  nodes_[add_child(parent, names.back(), EntryType::Stream)].bytes = std::move(bytes);
}

std::vector<uint8_t> CompoundWriter::finish(SectorSize sector_size) const {
  // Directory order: the root, then each storage's children in sibling order, breadth first.
  std::vector<FlatEntry> flat;
  std::vector<SiblingLinks> links;
  std::vector<std::pair<size_t, uint32_t>> queue = {{0, 0}};  // node, directory index
  flat.push_back({nodes_[0].name, kTypeRoot, nullptr});
  for (size_t q = 0; q < queue.size(); ++q) {
    const auto [node, index] = queue[q];
    std::vector<size_t> children = nodes_[node].children;
    std::sort(children.begin(), children.end(), [&](size_t a, size_t b) {
      return compare_names(nodes_[a].name, nodes_[b].name) < 0;
    });
    std::vector<uint32_t> sorted;
    for (size_t child : children) {
      const Node& n = nodes_[child];
      const bool stream = n.type == EntryType::Stream;
      sorted.push_back(static_cast<uint32_t>(flat.size()));
      flat.push_back({n.name, stream ? kTypeStream : kTypeStorage, stream ? n.bytes.get() : nullptr});
      if (!stream) queue.emplace_back(child, sorted.back());
    }
    links.resize(flat.size(), {kNoStream, kNoStream, kColorBlack});
    flat[index].child = build_sibling_tree(sorted, links);
  }

  Layout lay;
  lay.sector_size = sector_size == SectorSize::Bytes512 ? 512 : 4096;
  lay.start.assign(flat.size(), kEndOfChain);
  uint64_t stream_sectors = 0;
  for (size_t i = 0; i < flat.size(); ++i) {
    if (flat[i].bytes == nullptr || flat[i].bytes->empty()) continue;
    const uint64_t size = flat[i].bytes->size();
    if (lay.sector_size == 512 && size > 0xFFFFFFFFull)
      throw Error(ErrorCode::TooLarge, "stream " + quoted(flat[i].name) + " has " + std::to_string(size) +
                                           " bytes, more than a version 3 file can record");
    if (size < kMiniStreamCutoff) {
      lay.start[i] = static_cast<uint32_t>(lay.mini_sectors);
      lay.mini_sectors += sectors_for(size, kMiniSectorSize);
    } else {
      lay.start[i] = static_cast<uint32_t>(stream_sectors);  // made absolute below
      stream_sectors += sectors_for(size, lay.sector_size);
    }
  }
  lay.directory = sectors_for(flat.size() * kDirectoryEntryBytes, lay.sector_size);
  lay.minifat = sectors_for(lay.mini_sectors * 4, lay.sector_size);
  lay.mini_stream = sectors_for(lay.mini_sectors * kMiniSectorSize, lay.sector_size);
  const uint64_t data = lay.directory + lay.minifat + lay.mini_stream + stream_sectors;
  while (true) {
    lay.total = data + lay.fat + lay.difat;
    const uint64_t fat = sectors_for(lay.total, static_cast<uint32_t>(lay.ids_per_sector()));
    const uint64_t difat = fat > kHeaderDifatEntries
                               ? sectors_for(fat - kHeaderDifatEntries, static_cast<uint32_t>(lay.ids_per_sector() - 1))
                               : 0;
    if (fat == lay.fat && difat == lay.difat) break;
    lay.fat = fat;
    lay.difat = difat;
  }
  if (lay.total > kMaxRegularSector)
    throw Error(ErrorCode::TooLarge, "the tree needs " + std::to_string(lay.total) + " sectors, more than ids can count");

  // Allocation tables.
  std::vector<uint32_t> fat(lay.fat * lay.ids_per_sector(), kFreeSector);
  for (uint64_t i = 0; i < lay.fat; ++i) fat[i] = kFatSector;
  for (uint64_t i = 0; i < lay.difat; ++i) fat[lay.fat + i] = kDifatSector;
  chain_sectors(fat, lay.first_directory(), lay.directory);
  chain_sectors(fat, lay.first_minifat(), lay.minifat);
  chain_sectors(fat, lay.first_mini_stream(), lay.mini_stream);
  std::vector<uint32_t> minifat(lay.minifat * lay.ids_per_sector(), kFreeSector);
  for (size_t i = 0; i < flat.size(); ++i) {
    if (lay.start[i] == kEndOfChain) continue;
    const uint64_t size = flat[i].bytes->size();
    if (size < kMiniStreamCutoff) {
      chain_sectors(minifat, lay.start[i], sectors_for(size, kMiniSectorSize));
    } else {
      lay.start[i] = static_cast<uint32_t>(lay.first_stream() + lay.start[i]);
      chain_sectors(fat, lay.start[i], sectors_for(size, lay.sector_size));
    }
  }

  Header header;
  header.major_version = lay.sector_size == 512 ? 3 : 4;
  header.sector_shift = lay.sector_size == 512 ? 9 : 12;
  header.directory_sectors = header.major_version == 4 ? static_cast<uint32_t>(lay.directory) : 0;
  header.fat_sectors = static_cast<uint32_t>(lay.fat);
  header.first_directory_sector = static_cast<uint32_t>(lay.first_directory());
  header.first_minifat_sector = lay.minifat > 0 ? static_cast<uint32_t>(lay.first_minifat()) : kEndOfChain;
  header.minifat_sectors = static_cast<uint32_t>(lay.minifat);
  header.first_difat_sector = lay.difat > 0 ? static_cast<uint32_t>(lay.fat) : kEndOfChain;
  header.difat_sectors = static_cast<uint32_t>(lay.difat);
  header.difat.fill(kFreeSector);
  for (uint64_t i = 0; i < std::min<uint64_t>(lay.fat, kHeaderDifatEntries); ++i)
    header.difat[i] = static_cast<uint32_t>(i);

  std::vector<uint8_t> out = write_header(header);
  out.resize(out.size() + lay.total * lay.sector_size, 0);
  auto offset = [&](uint64_t sector) { return static_cast<size_t>((sector + 1) * lay.sector_size); };

  write_ids(out, offset(0), fat);
  for (uint64_t d = 0; d < lay.difat; ++d) {
    std::vector<uint32_t> ids(lay.ids_per_sector(), kFreeSector);
    for (uint64_t i = 0; i + 1 < ids.size(); ++i) {
      const uint64_t fat_index = kHeaderDifatEntries + d * (ids.size() - 1) + i;
      if (fat_index < lay.fat) ids[i] = static_cast<uint32_t>(fat_index);
    }
    ids.back() = d + 1 < lay.difat ? static_cast<uint32_t>(lay.fat + d + 1) : kEndOfChain;
    write_ids(out, offset(lay.fat + d), ids);
  }
  write_ids(out, offset(lay.first_minifat()), minifat);

  const size_t directory_at = offset(lay.first_directory());
  const uint64_t directory_slots = lay.directory * lay.sector_size / kDirectoryEntryBytes;
  for (size_t i = 0; i < directory_slots; ++i) {
    const size_t at = directory_at + i * kDirectoryEntryBytes;
    if (i >= flat.size()) {
      write_unused_entry(out, at);
      continue;
    }
    const FlatEntry& e = flat[i];
    uint64_t size = e.bytes != nullptr ? e.bytes->size() : 0;
    uint32_t start = e.bytes != nullptr ? lay.start[i] : 0;
    if (i == 0) {
      size = lay.mini_sectors * kMiniSectorSize;
      start = lay.mini_stream > 0 ? static_cast<uint32_t>(lay.first_mini_stream()) : kEndOfChain;
    }
    write_entry(out, at, e, links[i], start, size);
    if (e.bytes == nullptr || e.bytes->empty()) continue;
    const size_t data_at = size < kMiniStreamCutoff
                               ? offset(lay.first_mini_stream()) + static_cast<size_t>(start) * kMiniSectorSize
                               : offset(start);
    std::copy(e.bytes->begin(), e.bytes->end(), out.begin() + data_at);
  }
  return out;
}

}  // namespace tabrel::cfb
