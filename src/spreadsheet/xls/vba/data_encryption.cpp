#include "spreadsheet/xls/vba/data_encryption.h"

#include <vector>

namespace tabrel::xls::vba {
namespace {

constexpr uint8_t kVersion = 2;

class Obfuscator {
 public:
  Obfuscator(uint8_t seed, uint8_t key) {
    const uint8_t version_enc = seed ^ kVersion;
    const uint8_t key_enc = seed ^ key;
    out_ = {seed, version_enc, key_enc};
    plain1_ = key;
    enc1_ = key_enc;
    enc2_ = version_enc;
  }

  void put(uint8_t plain) {
    const uint8_t enc = static_cast<uint8_t>(plain ^ static_cast<uint8_t>(enc2_ + plain1_));
    out_.push_back(enc);
    enc2_ = enc1_;
    enc1_ = enc;
    plain1_ = plain;
  }

  const std::vector<uint8_t>& bytes() const { return out_; }

 private:
  std::vector<uint8_t> out_;
  uint8_t plain1_, enc1_, enc2_;
};

}  // namespace

std::u16string encrypt_project_data(std::span<const uint8_t> data, std::u16string_view project_clsid, uint8_t seed) {
  uint8_t key = 0;
  for (char16_t c : project_clsid) key = static_cast<uint8_t>(key + c);  // the id is plain ASCII
  Obfuscator o(seed, key);
  const int ignored = (seed & 6) / 2;
  for (int i = 0; i < ignored; ++i) o.put(0);
  const uint32_t length = static_cast<uint32_t>(data.size());
  for (int i = 0; i < 4; ++i) o.put(static_cast<uint8_t>(length >> (8 * i)));
  for (uint8_t b : data) o.put(b);
  static const char16_t digits[] = u"0123456789ABCDEF";
  std::u16string hex;
  for (uint8_t b : o.bytes()) {
    hex += digits[b >> 4];
    hex += digits[b & 0xF];
  }
  return hex;
}

}  // namespace tabrel::xls::vba
