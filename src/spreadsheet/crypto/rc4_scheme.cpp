// RC4 with MD5 key derivation (FILEPASS version 1.1): a 40-bit intermediate key from the
// password and the salt, one MD5 per 1024-byte block.

#include <algorithm>

#include "spreadsheet/crypto/block_rc4.h"
#include "spreadsheet/crypto/crypto_error.h"
#include "spreadsheet/crypto/md5.h"
#include "spreadsheet/crypto/schemes.h"

namespace tabrel::crypto {
namespace {

using Truncated = std::array<uint8_t, 5>;

Truncated intermediate_key(std::u16string_view password, const std::array<uint8_t, 16>& salt) {
  Md5Digest h0 = md5(utf16le_bytes(password));
  std::vector<uint8_t> buffer;
  buffer.reserve(16 * 21);
  for (int i = 0; i < 16; ++i) {
    buffer.insert(buffer.end(), h0.begin(), h0.begin() + 5);
    buffer.insert(buffer.end(), salt.begin(), salt.end());
  }
  Md5Digest h1 = md5(buffer);
  Truncated out;
  std::copy_n(h1.begin(), 5, out.begin());
  return out;
}

BlockRc4Cipher::KeyForBlock key_function(Truncated key) {
  return [key](uint32_t block) {
    std::vector<uint8_t> input(key.begin(), key.end());
    append_block_number(input, block);
    Md5Digest d = md5(input);
    return std::vector<uint8_t>(d.begin(), d.end());
  };
}

}  // namespace

std::unique_ptr<RecordCipher> open_rc4(const Rc4Header& header, std::u16string_view password) {
  auto key_for_block = key_function(intermediate_key(password, header.salt));
  Rc4 rc4(key_for_block(0));
  std::array<uint8_t, 16> verifier = header.encrypted_verifier;
  std::array<uint8_t, 16> hash = header.encrypted_verifier_hash;
  rc4.apply(verifier);
  rc4.apply(hash);
  if (md5(verifier) != hash) return nullptr;
  return std::make_unique<BlockRc4Cipher>(std::move(key_for_block));
}

NewEncryption create_rc4_encryption(std::u16string_view password, const RandomSource& random) {
  Rc4Header header;
  random(header.salt);
  std::array<uint8_t, 16> verifier;
  random(verifier);
  auto key_for_block = key_function(intermediate_key(password, header.salt));
  Rc4 rc4(key_for_block(0));
  Md5Digest hash = md5(verifier);
  header.encrypted_verifier = verifier;
  header.encrypted_verifier_hash = hash;
  rc4.apply(header.encrypted_verifier);
  rc4.apply(header.encrypted_verifier_hash);
  return {write_filepass(header), std::make_unique<BlockRc4Cipher>(std::move(key_for_block))};
}

}  // namespace tabrel::crypto
