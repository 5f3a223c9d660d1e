#pragma once
// The light obfuscation that the PROJECT stream applies to the project's protection state,
// password and visibility, keyed by the project's class id; written as upper-case hex digits.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tabrel::xls::vba {

// `seed` is the first byte of the output; any value is valid.
std::u16string encrypt_project_data(std::span<const uint8_t> data, std::u16string_view project_clsid, uint8_t seed);

}  // namespace tabrel::xls::vba
