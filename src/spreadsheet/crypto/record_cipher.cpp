#include "spreadsheet/crypto/record_cipher.h"

#include <random>

#include "spreadsheet/crypto/crypto_error.h"
#include "spreadsheet/crypto/schemes.h"

namespace tabrel::crypto {

std::vector<uint8_t> utf16le_bytes(std::u16string_view text) {
  std::vector<uint8_t> out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    out.push_back(static_cast<uint8_t>(c & 0xFF));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  return out;
}

void append_block_number(std::vector<uint8_t>& out, uint32_t block) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(block >> (8 * i)));
}

RandomSource system_random_source() {
  return [](std::span<uint8_t> out) {
    std::random_device device;
    for (uint8_t& b : out) b = static_cast<uint8_t>(device());
  };
}

std::unique_ptr<RecordCipher> open_cipher(const FilePass& filepass, std::optional<std::u16string_view> password) {
  auto try_password = [&](std::u16string_view pw) -> std::unique_ptr<RecordCipher> {
    if (auto* h = std::get_if<XorHeader>(&filepass)) return open_xor(*h, pw);
    if (auto* h = std::get_if<Rc4Header>(&filepass)) return open_rc4(*h, pw);
    return open_cryptoapi(std::get<CryptoApiHeader>(filepass), pw);
  };
  if (password) {
    if (auto cipher = try_password(*password)) return cipher;
  }
  if (auto cipher = try_password(kDefaultPassword)) return cipher;
  throw CryptoError(CryptoErrorKind::WrongPassword, "the password does not open the workbook");
}

}  // namespace tabrel::crypto
