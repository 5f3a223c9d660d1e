#pragma once
// The weak XOR obfuscation of BIFF8 files ("method 1"): a 16-bit key and verifier derived from
// the password, and a 16-byte array that the data bytes are XOR-ed with.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tabrel::crypto {

// The password as the scheme sees it: at most 15 single bytes, each UTF-16 unit giving its low
// byte, or its high byte when the low byte is zero.
std::string xor_password_bytes(std::u16string_view password);

uint16_t xor_key(std::string_view password_bytes);
uint16_t xor_verifier(std::string_view password_bytes);
std::array<uint8_t, 16> xor_array(std::string_view password_bytes);

}  // namespace tabrel::crypto
