#pragma once
// Fixed figures of the compound-file format: signature, special sector ids, layout sizes.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tabrel::cfb {

inline constexpr std::array<uint8_t, 8> kSignature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

inline constexpr uint32_t kMaxRegularSector = 0xFFFFFFFA;
inline constexpr uint32_t kDifatSector = 0xFFFFFFFC;
inline constexpr uint32_t kFatSector = 0xFFFFFFFD;
inline constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
inline constexpr uint32_t kFreeSector = 0xFFFFFFFF;
inline constexpr uint32_t kNoStream = 0xFFFFFFFF;  // absent sibling or child link

inline constexpr uint32_t kHeaderBytes = 512;
inline constexpr uint32_t kHeaderDifatEntries = 109;
inline constexpr uint16_t kMinorVersion = 0x003E;
inline constexpr uint16_t kByteOrderMark = 0xFFFE;
inline constexpr uint32_t kMiniSectorShift = 6;
inline constexpr uint32_t kMiniSectorSize = 1u << kMiniSectorShift;
inline constexpr uint32_t kMiniStreamCutoff = 4096;

inline constexpr uint32_t kDirectoryEntryBytes = 128;
// Storages nested deeper than this are refused by the reader and the writer, which bounds the
// length of every path.
inline constexpr size_t kMaxStorageDepth = 32;
inline constexpr uint32_t kMaxNameBytes = 64;  // 31 characters and the terminating NUL
inline constexpr uint32_t kMaxNameChars = kMaxNameBytes / 2 - 1;

// Object types of a directory entry.
inline constexpr uint8_t kTypeUnused = 0;
inline constexpr uint8_t kTypeStorage = 1;
inline constexpr uint8_t kTypeStream = 2;
inline constexpr uint8_t kTypeRoot = 5;

inline constexpr uint8_t kColorRed = 0;
inline constexpr uint8_t kColorBlack = 1;

// Header field offsets.
namespace header_offset {
inline constexpr size_t kClsid = 8;
inline constexpr size_t kMinorVersion = 24;
inline constexpr size_t kMajorVersion = 26;
inline constexpr size_t kByteOrder = 28;
inline constexpr size_t kSectorShift = 30;
inline constexpr size_t kMiniSectorShift = 32;
inline constexpr size_t kReserved = 34;
inline constexpr size_t kDirectorySectors = 40;
inline constexpr size_t kFatSectors = 44;
inline constexpr size_t kFirstDirectorySector = 48;
inline constexpr size_t kMiniStreamCutoff = 56;
inline constexpr size_t kFirstMiniFatSector = 60;
inline constexpr size_t kMiniFatSectors = 64;
inline constexpr size_t kFirstDifatSector = 68;
inline constexpr size_t kDifatSectors = 72;
inline constexpr size_t kDifat = 76;
}  // namespace header_offset

// Directory entry field offsets.
namespace entry_offset {
inline constexpr size_t kName = 0;
inline constexpr size_t kNameLength = 64;
inline constexpr size_t kType = 66;
inline constexpr size_t kColor = 67;
inline constexpr size_t kLeft = 68;
inline constexpr size_t kRight = 72;
inline constexpr size_t kChild = 76;
inline constexpr size_t kStartSector = 116;
inline constexpr size_t kSize = 120;
}  // namespace entry_offset

}  // namespace tabrel::cfb
