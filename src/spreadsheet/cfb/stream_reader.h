#pragma once
// The chain and the bytes of one stream entry, from the FAT or from the mini stream.

#include <cstdint>
#include <string>
#include <vector>

#include "spreadsheet/cfb/file_state.h"

namespace tabrel::cfb {

// "stream \"Workbook\"": how messages name an entry.
std::string describe_stream(const DirectoryEntry& entry);

bool in_mini_stream(const DirectoryEntry& entry);

// The sectors (mini sectors for a small stream) that hold the entry's bytes.
std::vector<uint32_t> stream_chain(const FileState& state, const DirectoryEntry& entry);

std::vector<uint8_t> read_entry_bytes(const FileState& state, const DirectoryEntry& entry);

}  // namespace tabrel::cfb
