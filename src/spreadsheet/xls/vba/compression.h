#pragma once
// The macro project's compression: a signature byte and chunks of at most 4096 decompressed
// bytes, each a run of flag bytes with literal bytes and copy tokens that point back into the
// chunk. Used by the dir stream and by every module's source text.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tabrel::xls::vba {

// The most that decompression produces: more is refused, so that a few hostile bytes (a copy
// token repeats up to 4098 bytes) cannot make a large allocation. Far above any real module.
inline constexpr size_t kMaxDecompressedSize = size_t{8} << 20;

// Throws ProjectError at the first byte that breaks the format or when the output would pass
// `limit`.
std::vector<uint8_t> decompress(std::span<const uint8_t> container, size_t limit = kMaxDecompressedSize);

std::vector<uint8_t> compress(std::span<const uint8_t> data);

}  // namespace tabrel::xls::vba
