#pragma once
// Record types and flags of pivot caches and pivot views that the readers and the writers share.

#include <cstdint>

namespace tabrel::pivot {

// Pivot cache stream records.
inline constexpr uint16_t kSxIdStm = 0x00D5, kSxDb = 0x00C6, kSxFdb = 0x00C7, kSxDbb = 0x00C8,
                          kSxNum = 0x00C9, kSxBool = 0x00CA, kSxErr = 0x00CB, kSxString = 0x00CD,
                          kSxNil = 0x00CF, kEof = 0x000A;
// SXFDB flags.
inline constexpr uint16_t kAllAtoms = 0x0001, kShortIndexes = 0x0200;

// Pivot view records in a sheet's substream.
inline constexpr uint16_t kSxView = 0x00B0, kSxvd = 0x00B1, kSxvi = 0x00B2, kSxivd = 0x00B4,
                          kSxpi = 0x00B6, kSxdi = 0x00C5, kSxvdEx = 0x0100;
// A name length that stands for no name.
inline constexpr uint16_t kNoName = 0xFFFF;

}  // namespace tabrel::pivot
