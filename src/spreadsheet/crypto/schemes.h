#pragma once
// One entry per encryption scheme: a cipher when the password opens the file, nullptr when not.

#include <memory>
#include <string_view>
#include <vector>

#include "spreadsheet/crypto/filepass.h"
#include "spreadsheet/crypto/record_cipher.h"

namespace tabrel::crypto {

std::unique_ptr<RecordCipher> open_xor(const XorHeader& header, std::u16string_view password);
std::unique_ptr<RecordCipher> open_rc4(const Rc4Header& header, std::u16string_view password);
std::unique_ptr<RecordCipher> open_cryptoapi(const CryptoApiHeader& header, std::u16string_view password);

// The password's UTF-16LE bytes, as both RC4 schemes hash it.
std::vector<uint8_t> utf16le_bytes(std::u16string_view text);

// Little-endian block number appended to a hash input.
void append_block_number(std::vector<uint8_t>& out, uint32_t block);

}  // namespace tabrel::crypto
