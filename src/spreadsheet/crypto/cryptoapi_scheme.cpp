// RC4 through the CryptoAPI (FILEPASS versions 2.2 to 4.2): SHA-1 of the salt and password,
// one SHA-1 per 1024-byte block cut to the key size; 40-bit keys are padded to 128 bits with
// zeros.

#include <algorithm>

#include "spreadsheet/crypto/block_rc4.h"
#include "spreadsheet/crypto/schemes.h"
#include "spreadsheet/crypto/sha1.h"

namespace tabrel::crypto {

std::unique_ptr<RecordCipher> open_cryptoapi(const CryptoApiHeader& header, std::u16string_view password) {
  std::vector<uint8_t> input(header.salt.begin(), header.salt.end());
  std::vector<uint8_t> pw = utf16le_bytes(password);
  input.insert(input.end(), pw.begin(), pw.end());
  Sha1Digest h0 = sha1(input);
  size_t key_bytes = (header.key_bits == 0 ? 40 : header.key_bits) / 8;

  BlockRc4Cipher::KeyForBlock key_for_block = [h0, key_bytes](uint32_t block) {
    std::vector<uint8_t> in(h0.begin(), h0.end());
    append_block_number(in, block);
    Sha1Digest d = sha1(in);
    std::vector<uint8_t> key(d.begin(), d.begin() + static_cast<long>(key_bytes));
    if (key_bytes == 5) key.resize(16, 0);
    return key;
  };

  Rc4 rc4(key_for_block(0));
  std::array<uint8_t, 16> verifier = header.encrypted_verifier;
  std::vector<uint8_t> hash = header.encrypted_verifier_hash;
  rc4.apply(verifier);
  rc4.apply(hash);
  Sha1Digest expected = sha1(verifier);
  if (hash.size() < expected.size() || !std::equal(expected.begin(), expected.end(), hash.begin())) return nullptr;
  return std::make_unique<BlockRc4Cipher>(std::move(key_for_block));
}

}  // namespace tabrel::crypto
