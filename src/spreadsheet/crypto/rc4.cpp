#include "spreadsheet/crypto/rc4.h"

#include <utility>

namespace tabrel::crypto {

Rc4::Rc4(std::span<const uint8_t> key) {
  for (int k = 0; k < 256; ++k) s_[k] = static_cast<uint8_t>(k);
  if (key.empty()) return;
  uint8_t j = 0;
  for (int k = 0; k < 256; ++k) {
    j = static_cast<uint8_t>(j + s_[k] + key[k % key.size()]);
    std::swap(s_[k], s_[j]);
  }
}

uint8_t Rc4::next() {
  ++i_;
  j_ = static_cast<uint8_t>(j_ + s_[i_]);
  std::swap(s_[i_], s_[j_]);
  return s_[static_cast<uint8_t>(s_[i_] + s_[j_])];
}

void Rc4::apply(std::span<uint8_t> data) {
  for (uint8_t& b : data) b ^= next();
}

void Rc4::skip(size_t count) {
  for (size_t k = 0; k < count; ++k) next();
}

}  // namespace tabrel::crypto
