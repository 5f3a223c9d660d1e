#pragma once
// Texts of the macro project in its code page (the dir stream's names, the PROJECT stream, the
// module sources) and in UTF-16, converted through the core's code-page helpers.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tabrel::xls::vba {

// Throws ProjectError (at `offset`) when the system does not know the code page.
std::u16string decode_text(std::span<const uint8_t> bytes, uint16_t codepage, uint64_t offset = 0);
std::u16string decode_utf16(std::span<const uint8_t> bytes);

// Characters the code page lacks become "?"; throws std::invalid_argument for an unknown page.
std::vector<uint8_t> encode_text(std::u16string_view text, uint16_t codepage);
std::vector<uint8_t> encode_utf16(std::u16string_view text);

}  // namespace tabrel::xls::vba
