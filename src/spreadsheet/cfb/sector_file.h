#pragma once
// The sectors of a compound file's bytes, bounds-checked: a sector that starts past the end
// raises; the last sector may be cut short (permissive readers meet such files).

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "spreadsheet/cfb/header.h"

namespace tabrel::cfb {

class SectorFile {
 public:
  SectorFile(std::span<const uint8_t> file, const Header& header);

  uint32_t sector_size() const { return sector_size_; }
  // Sectors that start inside the file.
  uint32_t sector_count() const { return sector_count_; }
  bool ends_in_whole_sector() const;

  // The bytes of `sector` inside the file. `what` names the sector's user in the message of
  // SectorPastEnd ("the directory", "stream \"Workbook\"").
  std::span<const uint8_t> sector(uint32_t sector, std::string_view what) const;

  // The sector read as a table of 32-bit ids appended to `out`; ids cut off by the end of the
  // file read as free sectors.
  void append_ids(uint32_t sector, std::string_view what, std::vector<uint32_t>& out) const;

 private:
  std::span<const uint8_t> file_;
  Header header_;
  uint32_t sector_size_;
  uint32_t sector_count_;
};

}  // namespace tabrel::cfb
