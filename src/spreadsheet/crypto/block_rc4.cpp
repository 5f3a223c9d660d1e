#include "spreadsheet/crypto/block_rc4.h"

#include <algorithm>

namespace tabrel::crypto {

void BlockRc4Cipher::decrypt(uint64_t offset, size_t, std::span<uint8_t> bytes) {
  while (!bytes.empty()) {
    uint64_t block = offset / kRc4BlockSize;
    size_t within = static_cast<size_t>(offset % kRc4BlockSize);
    if (!rc4_ || block != block_ || within < used_) {
      std::vector<uint8_t> key = key_for_block_(static_cast<uint32_t>(block));
      rc4_.emplace(key);
      block_ = block;
      used_ = 0;
    }
    rc4_->skip(within - used_);
    size_t n = std::min(bytes.size(), kRc4BlockSize - within);
    rc4_->apply(bytes.first(n));
    used_ = within + n;
    offset += n;
    bytes = bytes.subspan(n);
  }
}

}  // namespace tabrel::crypto
