#pragma once
// The FILEPASS record's payload: which of the three BIFF8 schemes encrypts the workbook stream,
// and what is needed to check a password. Parsing checks every length against the payload.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tabrel::crypto {

// XOR obfuscation: the key and the password verifier.
struct XorHeader {
  uint16_t key = 0;
  uint16_t verifier = 0;
};

// RC4 with MD5 (version 1.1): salt and the encrypted verifier with its encrypted MD5.
struct Rc4Header {
  std::array<uint8_t, 16> salt{};
  std::array<uint8_t, 16> encrypted_verifier{};
  std::array<uint8_t, 16> encrypted_verifier_hash{};
};

// RC4 through the CryptoAPI (versions 2.2, 3.2, 4.2): the EncryptionHeader and
// EncryptionVerifier structures.
struct CryptoApiHeader {
  uint16_t version_major = 0;
  uint16_t version_minor = 2;
  uint32_t flags = 0;
  uint32_t header_flags = 0;
  uint32_t size_extra = 0;
  uint32_t algorithm_id = 0;       // 0x6801 RC4
  uint32_t hash_algorithm_id = 0;  // 0x8004 SHA-1
  uint32_t key_bits = 0;           // 0 means 40
  uint32_t provider_type = 0;
  std::u16string provider_name;    // the CSP name without its terminating zero
  std::vector<uint8_t> salt;       // 16 bytes
  std::array<uint8_t, 16> encrypted_verifier{};
  std::vector<uint8_t> encrypted_verifier_hash;  // 20 bytes for SHA-1
};

using FilePass = std::variant<XorHeader, Rc4Header, CryptoApiHeader>;

// Throws CryptoError (Malformed or Unsupported).
FilePass parse_filepass(std::span<const uint8_t> payload);

// The FILEPASS payload that describes an RC4 (MD5) header.
std::vector<uint8_t> write_filepass(const Rc4Header& header);

}  // namespace tabrel::crypto
