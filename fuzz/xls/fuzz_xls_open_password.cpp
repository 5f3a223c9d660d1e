// Opens arbitrary bytes as an encrypted workbook: after the default password, each password of
// the corpus's encrypted files is tried in turn, so that mutated encrypted files reach the
// decrypting record reader past the password check.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "spreadsheet/xls/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::array<std::u16string, 5> passwords = {u"password", u"abc", u"freedom", u"Password1234_",
                                                          u"123456789012345"};
  const std::span<const uint8_t> bytes(data, size);
  for (size_t i = 0; i <= passwords.size(); ++i) {
    try {
      if (i == 0) tabrel::xls::read_workbook(bytes);
      else tabrel::xls::read_workbook(bytes, passwords[i - 1]);
      return 0;
    } catch (const tabrel::xls::OpenError& e) {
      if (e.kind != tabrel::xls::OpenError::Kind::WrongPassword) return 0;
    }
  }
  return 0;
}
