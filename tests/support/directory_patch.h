#pragma once
// Rewrites directory entries of a compound file from our writer (whose directory chain is
// contiguous), to build files whose entries point at sectors that other entries use.

#include <cstdint>
#include <string_view>
#include <vector>

namespace tabrel::test_support {

inline uint32_t load_u32_at(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes.at(at) | (bytes.at(at + 1) << 8) | (bytes.at(at + 2) << 16) |
         (static_cast<uint32_t>(bytes.at(at + 3)) << 24);
}

// Points every stream whose name starts with `prefix` at the chain and size of the stream
// `target`; returns how many entries changed.
inline size_t point_entries_at(std::vector<uint8_t>& file, std::u16string_view target, std::u16string_view prefix) {
  constexpr size_t kNameLength = 64, kType = 66, kStart = 116, kStream = 2;
  const size_t directory = 512 + 512 * static_cast<size_t>(load_u32_at(file, 48));
  auto name_of = [&](size_t at) {
    std::u16string name;
    const size_t chars = (file.at(at + kNameLength) | (file.at(at + kNameLength + 1) << 8)) / 2;
    for (size_t i = 0; i + 1 < chars; ++i) name.push_back(static_cast<char16_t>(file[at + 2 * i] | (file[at + 2 * i + 1] << 8)));
    return name;
  };
  std::vector<size_t> streams;
  for (size_t at = directory; at + 128 <= file.size() && file[at + kType] != 0 && file[at + kType] <= 5; at += 128)
    if (file[at + kType] == kStream) streams.push_back(at);
  size_t from = 0;
  for (size_t at : streams)
    if (name_of(at) == target) from = at;
  size_t changed = 0;
  for (size_t at : streams) {
    if (!name_of(at).starts_with(prefix)) continue;
    for (size_t i = 0; i < 8; ++i) file[at + kStart + i] = file[from + kStart + i];  // start and size
    ++changed;
  }
  return changed;
}

}  // namespace tabrel::test_support
