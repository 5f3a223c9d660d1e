// Compiles arbitrary format codes and renders numbers, dates, text and booleans with them, in
// and out of a measured cell. A bad code must end in FormatError, never in a crash or a hang.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "spreadsheet/core/text.h"
#include "spreadsheet/numfmt/format.h"
#include "spreadsheet/numfmt/format_error.h"
#include "spreadsheet/numfmt/local_code.h"
#include "spreadsheet/numfmt/render.h"

using namespace tabrel;
using namespace tabrel::numfmt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  // The first eight bytes, when there are that many, are also a value to render.
  double raw = 0;
  if (size >= 8) std::memcpy(&raw, data, 8);
  const std::u16string code = from_utf8(std::string_view(reinterpret_cast<const char*>(data), size));
  (void)from_local_code(to_local_code(code));
  Format format;
  try {
    format = Format::compile(code);
  } catch (const FormatError&) {
    return 0;
  }
  RenderOptions cell;
  cell.width_px = 64;
  cell.measure = [](std::u16string_view s) { return 7.0 * static_cast<double>(s.size()); };
  RenderOptions dates1904;
  dates1904.date_system = DateSystem::k1904;
  const CellValue values[] = {0.0,   -0.0,     1.5,       -1234.5678, 45000.75, 1e300, -1e-300,
                              2958465.99999, raw, u"text", true, CellError::NA, CellValue()};
  for (const CellValue& v : values) {
    (void)render(format, v);
    (void)render(format, v, cell);
    (void)render(format, v, dates1904);
  }
  return 0;
}
