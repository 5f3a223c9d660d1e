#include "spreadsheet/cfb/error.h"

namespace tabrel::cfb {

std::string hex(uint64_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  while (value != 0 || digits > 0) {
    text.insert(text.begin(), kDigits[value & 0xF]);
    value >>= 4;
    --digits;
  }
  return "0x" + text;
}

}  // namespace tabrel::cfb
