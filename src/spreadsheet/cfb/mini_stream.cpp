#include "spreadsheet/cfb/mini_stream.h"

#include <algorithm>
#include <string>

#include "spreadsheet/cfb/chain.h"
#include "spreadsheet/cfb/error.h"

namespace tabrel::cfb {
namespace {

// `count` bytes at `within` of `sector`, all inside the file.
std::span<const uint8_t> piece(const SectorFile& file, uint32_t sector, uint32_t within,
                               uint32_t count, std::string_view what) {
  const std::span<const uint8_t> bytes = file.sector(sector, what);
  if (static_cast<uint64_t>(within) + count > bytes.size())
    throw Error(ErrorCode::StreamTruncated, std::string(what) +
                                                " runs past the end of the file in sector " +
                                                std::to_string(sector));
  return bytes.subspan(within, count);
}

}  // namespace

MiniStream locate_mini_stream(const DirectoryEntry& root, const std::vector<uint32_t>& fat,
                              uint32_t sector_size, Mode mode) {
  MiniStream mini;
  mini.size = root.size;
  mini.sectors = follow_chain(fat, root.start_sector,
                              {.what = "the mini stream", .needed = sectors_for(root.size, sector_size),
                               .exact = mode == Mode::Strict});
  return mini;
}

std::vector<uint8_t> read_mini_sectors(const SectorFile& file, const MiniStream& mini,
                                       const std::vector<uint32_t>& chain, uint64_t size,
                                       std::string_view what) {
  std::vector<uint8_t> out;
  out.reserve(size);
  const uint32_t sector_size = file.sector_size();
  for (uint32_t mini_sector : chain) {
    const uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(kMiniSectorSize, size - out.size()));
    const uint64_t offset = static_cast<uint64_t>(mini_sector) * kMiniSectorSize;
    if (offset + count > mini.size)
      throw Error(ErrorCode::SectorPastEnd, "mini sector " + std::to_string(mini_sector) + " of " +
                                                std::string(what) +
                                                " lies past the end of the mini stream (size " +
                                                std::to_string(mini.size) + ")");
    const uint32_t sector = mini.sectors[offset / sector_size];
    const std::span<const uint8_t> bytes =
        piece(file, sector, static_cast<uint32_t>(offset % sector_size), count, what);
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

std::vector<uint8_t> read_sectors(const SectorFile& file, const std::vector<uint32_t>& chain,
                                  uint64_t size, std::string_view what) {
  std::vector<uint8_t> out;
  out.reserve(size);
  for (uint32_t sector : chain) {
    const uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(file.sector_size(), size - out.size()));
    const std::span<const uint8_t> bytes = piece(file, sector, 0, count, what);
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

}  // namespace tabrel::cfb
