// Opens arbitrary bytes as a workbook without a password: every outcome but a typed OpenError
// or a workbook is a fault.

#include <cstddef>
#include <cstdint>
#include <span>

#include "spreadsheet/xls/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    tabrel::xls::read_workbook(std::span<const uint8_t>(data, size));
  } catch (const tabrel::xls::OpenError&) {
  }
  return 0;
}
