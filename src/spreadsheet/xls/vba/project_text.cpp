#include "spreadsheet/xls/vba/project_text.h"

#include <stdexcept>
#include <string_view>

#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/vba/project_error.h"

namespace tabrel::xls::vba {

std::u16string decode_text(std::span<const uint8_t> bytes, uint16_t codepage, uint64_t offset) {
  const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::optional<std::u16string> text = decode_codepage(raw, codepage);
  if (!text) throw ProjectError(offset, "unknown code page " + std::to_string(codepage));
  return std::move(*text);
}

std::u16string decode_utf16(std::span<const uint8_t> bytes) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) out.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  return out;
}

std::vector<uint8_t> encode_text(std::u16string_view text, uint16_t codepage) {
  const std::optional<std::string> raw = encode_codepage(text, codepage);
  if (!raw) throw std::invalid_argument("the macro project's code page " + std::to_string(codepage) + " is unknown");
  return {raw->begin(), raw->end()};
}

std::vector<uint8_t> encode_utf16(std::u16string_view text) {
  std::vector<uint8_t> out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    out.push_back(static_cast<uint8_t>(c));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  return out;
}

}  // namespace tabrel::xls::vba
