// Opens arbitrary bytes as a compound file in both modes and reads every stream: anything but
// a cfb::Error is a fault.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "spreadsheet/cfb/compound_file.h"

namespace {

void open_and_read(const uint8_t* data, size_t size, tabrel::cfb::Mode mode) {
  try {
    const auto file = tabrel::cfb::CompoundFile::open(std::vector<uint8_t>(data, data + size), mode);
    for (const tabrel::cfb::Entry& entry : file.entries()) {
      if (entry.type != tabrel::cfb::EntryType::Stream) continue;
      try {
        file.read_stream(entry.path);
      } catch (const tabrel::cfb::Error&) {
      }
    }
  } catch (const tabrel::cfb::Error&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  open_and_read(data, size, tabrel::cfb::Mode::Permissive);
  open_and_read(data, size, tabrel::cfb::Mode::Strict);
  return 0;
}
