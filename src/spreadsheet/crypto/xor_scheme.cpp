// XOR obfuscation: each encrypted byte is XOR-ed with the 16-byte array and rotated. The array
// index of a byte follows its stream offset, shifted by the size of the record holding it.

#include <bit>

#include "spreadsheet/crypto/schemes.h"
#include "spreadsheet/crypto/xor_obfuscation.h"

namespace tabrel::crypto {
namespace {

class XorCipher final : public RecordCipher {
 public:
  explicit XorCipher(std::array<uint8_t, 16> array) : array_(array) {}

  void decrypt(uint64_t offset, size_t record_size, std::span<uint8_t> bytes) override {
    for (size_t i = 0; i < bytes.size(); ++i) {
      bytes[i] = std::rotr(static_cast<uint8_t>(bytes[i] ^ array_[index(offset + i, record_size)]), 5);
    }
  }
  void encrypt(uint64_t offset, size_t record_size, std::span<uint8_t> bytes) override {
    for (size_t i = 0; i < bytes.size(); ++i) {
      bytes[i] = static_cast<uint8_t>(std::rotl(bytes[i], 5) ^ array_[index(offset + i, record_size)]);
    }
  }

 private:
  static size_t index(uint64_t offset, size_t record_size) { return static_cast<size_t>((offset + record_size) % 16); }
  std::array<uint8_t, 16> array_;
};

}  // namespace

std::unique_ptr<RecordCipher> open_xor(const XorHeader& header, std::u16string_view password) {
  std::string bytes = xor_password_bytes(password);
  if (bytes.empty() || xor_key(bytes) != header.key || xor_verifier(bytes) != header.verifier) return nullptr;
  return std::make_unique<XorCipher>(xor_array(bytes));
}

}  // namespace tabrel::crypto
