#pragma once
// How error messages and dumps write numbers and entry names.

#include <cstdint>
#include <string>
#include <string_view>

namespace tabrel::cfb {

// "0x0000001F": ids and marks in messages.
std::string hex(uint64_t value, int digits = 8);

// A name or path in UTF-8, with control characters (such as the 0x05 that starts the names of
// property-set streams) written as \xNN.
std::string display_name(std::u16string_view name);

// display_name in double quotes.
std::string quoted(std::u16string_view name);

}  // namespace tabrel::cfb
