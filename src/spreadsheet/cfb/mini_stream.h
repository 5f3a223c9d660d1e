#pragma once
// The mini stream: the root entry's own chain, cut into 64-byte mini sectors that hold every
// stream smaller than the cut-off.

#include <cstdint>
#include <string_view>
#include <vector>

#include "spreadsheet/cfb/directory.h"
#include "spreadsheet/cfb/sector_file.h"

namespace tabrel::cfb {

struct MiniStream {
  std::vector<uint32_t> sectors;  // regular sectors holding the mini stream, in order
  uint64_t size = 0;
};

MiniStream locate_mini_stream(const DirectoryEntry& root, const std::vector<uint32_t>& fat,
                              uint32_t sector_size, Mode mode);

// `size` bytes of a small stream whose mini sectors are `chain`; `what` names the stream.
std::vector<uint8_t> read_mini_sectors(const SectorFile& file, const MiniStream& mini,
                                       const std::vector<uint32_t>& chain, uint64_t size,
                                       std::string_view what);

// `size` bytes of a stream whose sectors are `chain`.
std::vector<uint8_t> read_sectors(const SectorFile& file, const std::vector<uint32_t>& chain,
                                  uint64_t size, std::string_view what);

}  // namespace tabrel::cfb
