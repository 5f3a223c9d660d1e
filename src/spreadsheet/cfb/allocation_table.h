#pragma once
// The sector allocation table (FAT), gathered through the header's DIFAT entries and the DIFAT
// sector chain, and the mini FAT, which lives in an ordinary chain.

#include <cstdint>
#include <vector>

#include "spreadsheet/cfb/header.h"
#include "spreadsheet/cfb/sector_file.h"

namespace tabrel::cfb {

struct AllocationTable {
  std::vector<uint32_t> next;           // the next sector of each sector
  std::vector<uint32_t> fat_sectors;    // sectors that hold the table
  std::vector<uint32_t> difat_sectors;  // sectors that continue the DIFAT beyond the header
};

AllocationTable read_fat(const Header& header, const SectorFile& file, Mode mode);

struct MiniFat {
  std::vector<uint32_t> next;     // the next mini sector of each mini sector
  std::vector<uint32_t> sectors;  // sectors that hold the table
};

MiniFat read_minifat(const Header& header, const SectorFile& file, const std::vector<uint32_t>& fat,
                     Mode mode);

}  // namespace tabrel::cfb
