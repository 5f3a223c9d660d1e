#include "json_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "spreadsheet/core/text.h"

namespace tabrel::json {

namespace {

constexpr bool needs_escape(char32_t ch) { return ch < 0x20 || ch == '"' || ch == '\\'; }

// needs_escape of each byte, looked up in one step in the loop over a string's bytes.
constexpr std::array<bool, 256> kEscaped = [] {
  std::array<bool, 256> table{};
  for (char32_t ch = 0; ch < table.size(); ++ch) table[ch] = needs_escape(ch);
  return table;
}();

char* put_escape(char* out, unsigned char ch) {
  *out++ = '\\';
  switch (ch) {
    case '"': *out++ = '"'; break;
    case '\\': *out++ = '\\'; break;
    case '\n': *out++ = 'n'; break;
    case '\r': *out++ = 'r'; break;
    case '\t': *out++ = 't'; break;
    default: {
      static constexpr char kHex[] = "0123456789abcdef";
      *out++ = 'u';
      *out++ = '0';
      *out++ = '0';
      *out++ = kHex[ch >> 4];
      *out++ = kHex[ch & 0xF];
    }
  }
  return out;
}

}  // namespace

char* put_string(char* out, std::string_view s) {
  *out++ = '"';
  for (const char ch : s) {
    if (kEscaped[static_cast<unsigned char>(ch)]) out = put_escape(out, static_cast<unsigned char>(ch));
    else *out++ = ch;
  }
  *out++ = '"';
  return out;
}

char* put_string(char* out, std::u16string_view s) {
  if (std::any_of(s.begin(), s.end(), needs_escape)) return put_string(out, to_utf8(s));
  *out++ = '"';
  out = encode_utf8(s, out);
  *out++ = '"';
  return out;
}

char* put_number(char* out, double d) {
  if (!std::isfinite(d)) return std::copy_n("null", 4, out);
  // Whole numbers as integers (minus zero keeps its sign), others in the shortest form.
  if (d == std::floor(d) && std::fabs(d) < 1e15) {
    if (d == 0 && std::signbit(d)) *out++ = '-';
    return std::to_chars(out, out + kMaxNumberBytes, static_cast<long long>(d)).ptr;
  }
  return std::to_chars(out, out + kMaxNumberBytes, d).ptr;
}

}  // namespace tabrel::json
