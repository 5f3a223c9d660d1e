#pragma once
// The compound-file header: parsing with its checks, and the bytes the writer puts first.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "spreadsheet/cfb/format.h"
#include "spreadsheet/cfb/types.h"

namespace tabrel::cfb {

struct Header {
  uint16_t minor_version = kMinorVersion;
  uint16_t major_version = 3;
  uint32_t sector_shift = 9;
  uint32_t directory_sectors = 0;  // version 4 only
  uint32_t fat_sectors = 0;
  uint32_t first_directory_sector = kEndOfChain;
  uint32_t first_minifat_sector = kEndOfChain;
  uint32_t minifat_sectors = 0;
  uint32_t first_difat_sector = kEndOfChain;
  uint32_t difat_sectors = 0;
  std::array<uint32_t, kHeaderDifatEntries> difat{};

  uint32_t sector_size() const { return 1u << sector_shift; }
  // Sector n starts at (n + 1) * sector_size: the header fills the first sector.
  uint64_t sector_offset(uint32_t sector) const { return (static_cast<uint64_t>(sector) + 1) << sector_shift; }
};

Header read_header(std::span<const uint8_t> file, Mode mode);

// One sector's worth of bytes: the header fields, then zeros.
std::vector<uint8_t> write_header(const Header& header);

}  // namespace tabrel::cfb
