#pragma once
// The directory: 128-byte entries in their own chain, and the tree they form through child
// and sibling links, walked without recursion and with every link checked.

#include <cstdint>
#include <string>
#include <vector>

#include "spreadsheet/cfb/header.h"
#include "spreadsheet/cfb/sector_file.h"

namespace tabrel::cfb {

struct DirectoryEntry {
  std::u16string name;
  uint8_t type = kTypeUnused;  // after reading: unused, storage, stream or root
  uint32_t left = kNoStream;
  uint32_t right = kNoStream;
  uint32_t child = kNoStream;
  uint32_t start_sector = kEndOfChain;
  uint64_t size = 0;
  std::vector<uint32_t> children;  // of a reachable storage, in sibling order
  std::vector<uint32_t> children_by_name;  // the same sorted by name (sibling order among equals)
  bool reachable = false;
};

struct Directory {
  std::vector<DirectoryEntry> entries;  // entries[0] is the root
  std::vector<uint32_t> sectors;        // the directory's chain
};

Directory read_directory(const Header& header, const SectorFile& file,
                         const std::vector<uint32_t>& fat, Mode mode);

}  // namespace tabrel::cfb
