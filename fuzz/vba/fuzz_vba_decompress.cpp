// Decompresses arbitrary bytes as a macro-project container: anything but a ProjectError is a
// fault, and so is output past the limit. Whatever decompresses must survive compressing and
// decompressing again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "spreadsheet/xls/vba/compression.h"
#include "spreadsheet/xls/vba/project_error.h"

namespace vba = tabrel::xls::vba;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kLimit = size_t{1} << 20;
  std::vector<uint8_t> plain;
  try {
    plain = vba::decompress(std::span(data, size), kLimit);
  } catch (const vba::ProjectError&) {
    return 0;
  }
  if (plain.size() > kLimit) std::abort();
  std::vector<uint8_t> again = vba::decompress(vba::compress(plain), kLimit + 4096);
  again.resize(plain.size());  // a raw last chunk comes back padded
  if (again != plain) std::abort();
  return 0;
}
