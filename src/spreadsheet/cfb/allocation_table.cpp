#include "spreadsheet/cfb/allocation_table.h"

#include <string>

#include "spreadsheet/cfb/chain.h"
#include "spreadsheet/cfb/error.h"
#include "spreadsheet/cfb/message_text.h"

namespace tabrel::cfb {
namespace {

void check_fat_sector_id(uint32_t id, const std::string& where) {
  if (id > kMaxRegularSector)
    throw Error(ErrorCode::BadSectorId, where + " holds invalid FAT sector id " + hex(id));
}

// Sector ids of the FAT, listed by the header and, beyond 109, by the DIFAT sectors.
std::vector<uint32_t> fat_sector_ids(const Header& h, const SectorFile& file, Mode mode,
                                     std::vector<uint32_t>& difat_sectors) {
  std::vector<uint32_t> ids;
  for (uint32_t i = 0; i < kHeaderDifatEntries; ++i) {
    const uint32_t id = h.difat[i];
    if (i < h.fat_sectors) {
      check_fat_sector_id(id, "header DIFAT entry " + std::to_string(i));
      ids.push_back(id);
    } else if (mode == Mode::Strict && id != kFreeSector) {
      throw Error(ErrorCode::BadHeader, "header DIFAT entry " + std::to_string(i) + " at offset " +
                                            std::to_string(header_offset::kDifat + 4 * i) +
                                            " holds " + hex(id) + " after the last FAT sector");
    }
  }
  std::vector<bool> visited;
  uint32_t next = h.first_difat_sector;
  const uint32_t per_sector = file.sector_size() / 4 - 1;
  while (ids.size() < h.fat_sectors) {
    if (next == kEndOfChain || next == kFreeSector)
      throw Error(ErrorCode::ChainTooShort,
                  "chain of the DIFAT ends after " + std::to_string(difat_sectors.size()) +
                      " sectors with " + std::to_string(h.fat_sectors - ids.size()) +
                      " FAT sectors still to list");
    if (next > kMaxRegularSector)
      throw Error(ErrorCode::BadSectorId, "chain of the DIFAT holds invalid sector id " + hex(next) +
                                              " after " + std::to_string(difat_sectors.size()) +
                                              " sectors");
    std::vector<uint32_t> entries;
    file.append_ids(next, "the DIFAT", entries);
    if (visited.empty()) visited.resize(file.sector_count());
    if (visited[next])
      throw Error(ErrorCode::ChainLoop, "chain of the DIFAT visits sector " + std::to_string(next) + " twice");
    visited[next] = true;
    difat_sectors.push_back(next);
    for (uint32_t i = 0; i < per_sector; ++i) {
      const std::string where = "DIFAT sector " + std::to_string(next) + " entry " + std::to_string(i);
      if (ids.size() < h.fat_sectors) {
        check_fat_sector_id(entries[i], where);
        ids.push_back(entries[i]);
      } else if (mode == Mode::Strict && entries[i] != kFreeSector) {
        throw Error(ErrorCode::BadSectorId, where + " holds " + hex(entries[i]) + " after the last FAT sector");
      }
    }
    next = entries[per_sector];
  }
  if (mode == Mode::Strict && difat_sectors.size() != h.difat_sectors)
    throw Error(ErrorCode::BadHeader, "header counts " + std::to_string(h.difat_sectors) +
                                          " DIFAT sectors at offset " +
                                          std::to_string(header_offset::kDifatSectors) +
                                          ", the chain holds " + std::to_string(difat_sectors.size()));
  if (mode == Mode::Strict && !difat_sectors.empty() && next != kEndOfChain)
    throw Error(ErrorCode::ChainTooLong, "chain of the DIFAT continues past the " +
                                             std::to_string(difat_sectors.size()) +
                                             " sectors the FAT needs");
  return ids;
}

}  // namespace

AllocationTable read_fat(const Header& h, const SectorFile& file, Mode mode) {
  if (h.fat_sectors > file.sector_count())
    throw Error(ErrorCode::BadHeader, "header counts " + std::to_string(h.fat_sectors) +
                                          " FAT sectors at offset " +
                                          std::to_string(header_offset::kFatSectors) +
                                          ", the file holds " + std::to_string(file.sector_count()) +
                                          " sectors");
  AllocationTable table;
  table.fat_sectors = fat_sector_ids(h, file, mode, table.difat_sectors);
  table.next.reserve(static_cast<size_t>(h.fat_sectors) * (file.sector_size() / 4));
  for (uint32_t id : table.fat_sectors) file.append_ids(id, "the FAT", table.next);
  return table;
}

MiniFat read_minifat(const Header& h, const SectorFile& file, const std::vector<uint32_t>& fat,
                     Mode mode) {
  MiniFat minifat;
  minifat.sectors = follow_chain(fat, h.first_minifat_sector,
                                 {.what = "the mini FAT", .needed = h.minifat_sectors,
                                  .exact = mode == Mode::Strict});
  for (uint32_t id : minifat.sectors) file.append_ids(id, "the mini FAT", minifat.next);
  return minifat;
}

}  // namespace tabrel::cfb
