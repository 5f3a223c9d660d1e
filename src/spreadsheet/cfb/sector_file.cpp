#include "spreadsheet/cfb/sector_file.h"

#include <string>

#include "spreadsheet/cfb/error.h"
#include "spreadsheet/cfb/little_endian.h"

namespace tabrel::cfb {

SectorFile::SectorFile(std::span<const uint8_t> file, const Header& header)
    : file_(file), header_(header), sector_size_(header.sector_size()) {
  const uint64_t body = file.size() > sector_size_ ? file.size() - sector_size_ : 0;
  const uint64_t count = (body + sector_size_ - 1) / sector_size_;
  sector_count_ = static_cast<uint32_t>(std::min<uint64_t>(count, kMaxRegularSector + 1ull));
}

bool SectorFile::ends_in_whole_sector() const { return file_.size() % sector_size_ == 0; }

std::span<const uint8_t> SectorFile::sector(uint32_t sector, std::string_view what) const {
  const uint64_t offset = header_.sector_offset(sector);
  if (sector >= sector_count_)
    throw Error(ErrorCode::SectorPastEnd, "sector " + std::to_string(sector) + " of " +
                                              std::string(what) +
                                              " starts past the end of the file (offset " +
                                              std::to_string(offset) + ", file size " +
                                              std::to_string(file_.size()) + ")");
  const uint64_t available = std::min<uint64_t>(sector_size_, file_.size() - offset);
  return file_.subspan(offset, available);
}

void SectorFile::append_ids(uint32_t sector, std::string_view what, std::vector<uint32_t>& out) const {
  const std::span<const uint8_t> bytes = this->sector(sector, what);
  const size_t whole = bytes.size() / 4;
  for (size_t i = 0; i < whole; ++i) out.push_back(load_u32(bytes.data() + 4 * i));
  out.insert(out.end(), sector_size_ / 4 - whole, kFreeSector);
}

}  // namespace tabrel::cfb
