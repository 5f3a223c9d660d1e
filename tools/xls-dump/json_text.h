#pragma once
// The JSON text of strings and numbers, written into room the caller has made: shared by the
// value writer and the stream writer.

#include <cstddef>
#include <string_view>

namespace tabrel::json {

// Most bytes the JSON text of a string of n UTF-8 bytes or n UTF-16 units takes (every unit a
// \u escape, and the quotes).
constexpr size_t max_string_bytes(size_t n) { return 6 * n + 2; }
// Most bytes the JSON text of a number takes.
constexpr size_t kMaxNumberBytes = 32;

// A string in quotes, with quotes, backslashes and control characters escaped. Each returns the
// end of what it wrote.
char* put_string(char* out, std::string_view utf8);
// UTF-16 text as a UTF-8 JSON string (unpaired surrogates become U+FFFD).
char* put_string(char* out, std::u16string_view utf16);
// Whole numbers in full, others in the shortest form that reads back as the same double; null
// for NaN and the infinities.
char* put_number(char* out, double d);

}  // namespace tabrel::json
