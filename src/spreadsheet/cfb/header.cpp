#include "spreadsheet/cfb/header.h"

#include <algorithm>
#include <string>

#include "spreadsheet/cfb/error.h"
#include "spreadsheet/cfb/message_text.h"
#include "spreadsheet/cfb/little_endian.h"

namespace tabrel::cfb {
namespace {

[[noreturn]] void fail(const std::string& what, size_t offset) {
  throw Error(ErrorCode::BadHeader, what + " at offset " + std::to_string(offset));
}

bool all_zero(std::span<const uint8_t> bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

void check_strict_fields(std::span<const uint8_t> file, const Header& h) {
  if (h.minor_version != kMinorVersion)
    fail("unexpected minor version " + hex(h.minor_version, 4), header_offset::kMinorVersion);
  if (!all_zero(file.subspan(header_offset::kClsid, 16))) fail("nonzero class id", header_offset::kClsid);
  if (!all_zero(file.subspan(header_offset::kReserved, 6))) fail("nonzero reserved field", header_offset::kReserved);
  if (h.major_version == 3 && h.directory_sectors != 0)
    fail("version 3 header counts " + std::to_string(h.directory_sectors) + " directory sectors",
         header_offset::kDirectorySectors);
  if (h.sector_size() > kHeaderBytes) {
    const size_t end = std::min<size_t>(file.size(), h.sector_size());
    if (!all_zero(file.subspan(kHeaderBytes, end - kHeaderBytes)))
      fail("nonzero padding after the header", kHeaderBytes);
  }
}

}  // namespace

Header read_header(std::span<const uint8_t> file, Mode mode) {
  if (file.size() < kHeaderBytes)
    throw Error(ErrorCode::TruncatedHeader, "compound file header truncated: " +
                                                std::to_string(file.size()) + " of " +
                                                std::to_string(kHeaderBytes) + " bytes");
  if (!std::equal(kSignature.begin(), kSignature.end(), file.begin()))
    throw Error(ErrorCode::BadSignature, "not a compound file: bad signature at offset 0");

  const uint8_t* p = file.data();
  Header h;
  h.minor_version = load_u16(p + header_offset::kMinorVersion);
  h.major_version = load_u16(p + header_offset::kMajorVersion);
  const uint16_t byte_order = load_u16(p + header_offset::kByteOrder);
  const uint16_t sector_shift = load_u16(p + header_offset::kSectorShift);
  const uint16_t mini_shift = load_u16(p + header_offset::kMiniSectorShift);
  h.directory_sectors = load_u32(p + header_offset::kDirectorySectors);
  h.fat_sectors = load_u32(p + header_offset::kFatSectors);
  h.first_directory_sector = load_u32(p + header_offset::kFirstDirectorySector);
  const uint32_t cutoff = load_u32(p + header_offset::kMiniStreamCutoff);
  h.first_minifat_sector = load_u32(p + header_offset::kFirstMiniFatSector);
  h.minifat_sectors = load_u32(p + header_offset::kMiniFatSectors);
  h.first_difat_sector = load_u32(p + header_offset::kFirstDifatSector);
  h.difat_sectors = load_u32(p + header_offset::kDifatSectors);
  for (size_t i = 0; i < kHeaderDifatEntries; ++i) h.difat[i] = load_u32(p + header_offset::kDifat + 4 * i);

  if (byte_order != kByteOrderMark) fail("bad byte order mark " + hex(byte_order, 4), header_offset::kByteOrder);
  if (h.major_version != 3 && h.major_version != 4)
    fail("unsupported major version " + std::to_string(h.major_version), header_offset::kMajorVersion);
  if (sector_shift != 9 && sector_shift != 12)
    fail("invalid sector shift " + std::to_string(sector_shift), header_offset::kSectorShift);
  if (mode == Mode::Strict && sector_shift != (h.major_version == 3 ? 9 : 12))
    fail("sector shift " + std::to_string(sector_shift) + " does not match major version " +
             std::to_string(h.major_version),
         header_offset::kSectorShift);
  h.sector_shift = sector_shift;
  if (mini_shift != kMiniSectorShift)
    fail("invalid mini sector shift " + std::to_string(mini_shift), header_offset::kMiniSectorShift);
  if (cutoff != kMiniStreamCutoff)
    fail("invalid mini stream cutoff " + std::to_string(cutoff), header_offset::kMiniStreamCutoff);
  if (mode == Mode::Strict) check_strict_fields(file, h);
  return h;
}

std::vector<uint8_t> write_header(const Header& h) {
  std::vector<uint8_t> out(h.sector_size(), 0);
  std::copy(kSignature.begin(), kSignature.end(), out.begin());
  store_u16(out, header_offset::kMinorVersion, h.minor_version);
  store_u16(out, header_offset::kMajorVersion, h.major_version);
  store_u16(out, header_offset::kByteOrder, kByteOrderMark);
  store_u16(out, header_offset::kSectorShift, static_cast<uint16_t>(h.sector_shift));
  store_u16(out, header_offset::kMiniSectorShift, kMiniSectorShift);
  store_u32(out, header_offset::kDirectorySectors, h.directory_sectors);
  store_u32(out, header_offset::kFatSectors, h.fat_sectors);
  store_u32(out, header_offset::kFirstDirectorySector, h.first_directory_sector);
  store_u32(out, header_offset::kMiniStreamCutoff, kMiniStreamCutoff);
  store_u32(out, header_offset::kFirstMiniFatSector, h.first_minifat_sector);
  store_u32(out, header_offset::kMiniFatSectors, h.minifat_sectors);
  store_u32(out, header_offset::kFirstDifatSector, h.first_difat_sector);
  store_u32(out, header_offset::kDifatSectors, h.difat_sectors);
  for (size_t i = 0; i < kHeaderDifatEntries; ++i) store_u32(out, header_offset::kDifat + 4 * i, h.difat[i]);
  return out;
}

}  // namespace tabrel::cfb
