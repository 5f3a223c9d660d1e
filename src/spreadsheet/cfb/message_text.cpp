#include "spreadsheet/cfb/message_text.h"

#include "spreadsheet/core/text.h"

namespace tabrel::cfb {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

}  // namespace

std::string hex(uint64_t value, int digits) {
  std::string text;
  while (value != 0 || digits > 0) {
    text.insert(text.begin(), kDigits[value & 0xF]);
    value >>= 4;
    --digits;
  }
  return "0x" + text;
}

std::string display_name(std::u16string_view name) {
  std::u16string shown;
  for (char16_t c : name) {
    if (c >= 0x20) {
      shown.push_back(c);
      continue;
    }
    shown += u"\\x";
    shown.push_back(static_cast<char16_t>(kDigits[c >> 4]));
    shown.push_back(static_cast<char16_t>(kDigits[c & 0xF]));
  }
  return to_utf8(shown);
}

std::string quoted(std::u16string_view name) { return "\"" + display_name(name) + "\""; }

}  // namespace tabrel::cfb
