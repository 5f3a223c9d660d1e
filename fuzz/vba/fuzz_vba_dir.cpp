// Parses arbitrary bytes as a decompressed dir stream: anything but a ProjectError is a fault.
// What parses is written again and must parse to the same project information.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <stdexcept>

#include "spreadsheet/xls/vba/dir_stream.h"
#include "spreadsheet/xls/vba/project_error.h"

namespace vba = tabrel::xls::vba;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vba::DirInfo info;
  try {
    info = vba::parse_dir_stream(std::span(data, size));
  } catch (const vba::ProjectError&) {
    return 0;
  }
  std::vector<uint8_t> written;
  try {
    written = vba::build_dir_stream(info);
  } catch (const std::invalid_argument&) {
    return 0;  // a code page the system can read but not write
  }
  const vba::DirInfo again = vba::parse_dir_stream(written);
  // Names come back through the code page; what it cannot hold may change, the rest may not.
  if (again.codepage != info.codepage || again.references != info.references ||
      again.modules.size() != info.modules.size())
    std::abort();
  return 0;
}
