#pragma once
// Decryption and encryption of the workbook stream after FILEPASS. All three schemes are keyed
// by the absolute stream offset of each byte: RC4 starts a new key every 1024 bytes of the
// stream, the XOR scheme walks its 16-byte array. Which bytes stay plain (record headers, some
// whole records, the first four bytes of BOUNDSHEET) is the record layer's business; it hands
// the cipher only the bytes that are encrypted.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "spreadsheet/crypto/filepass.h"

namespace tabrel::crypto {

// The password the spreadsheet uses when the author set none ("write-protected" workbooks).
inline constexpr std::u16string_view kDefaultPassword = u"VelvetSweatshop";

// A cipher keeps the running key stream of the block last used, so each reader or writer
// needs its own.
class RecordCipher {
 public:
  virtual ~RecordCipher() = default;
  // bytes lie at absolute stream offset `offset`, inside the payload of a record whose payload
  // (without CONTINUE records) is `record_size` bytes long.
  virtual void decrypt(uint64_t offset, size_t record_size, std::span<uint8_t> bytes) = 0;
  virtual void encrypt(uint64_t offset, size_t record_size, std::span<uint8_t> bytes) = 0;
};

// A cipher for the scheme of `filepass` after checking the password: the given one first, then
// the built-in default. Throws CryptoError (WrongPassword or Unsupported).
std::unique_ptr<RecordCipher> open_cipher(const FilePass& filepass,
                                          std::optional<std::u16string_view> password);

// Fills its argument with random bytes; tests pass a fixed source.
using RandomSource = std::function<void(std::span<uint8_t>)>;

// Random bytes from the operating system, for salts of files we write.
RandomSource system_random_source();

struct NewEncryption {
  std::vector<uint8_t> filepass_payload;  // to be written as the FILEPASS record
  std::unique_ptr<RecordCipher> cipher;
};

// RC4 (MD5) encryption for writing a workbook protected by `password`.
NewEncryption create_rc4_encryption(std::u16string_view password, const RandomSource& random);

}  // namespace tabrel::crypto
