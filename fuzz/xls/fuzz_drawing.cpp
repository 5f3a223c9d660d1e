// Reads arbitrary bytes as a sheet's drawing (the joined MSODRAWING data), then brings each
// shape found up to date as the writer does for a kept shape: every outcome but shapes that lie
// inside the input is a fault.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "spreadsheet/xls/read_drawing.h"
#include "spreadsheet/xls/write_office_art.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  namespace oa = tabrel::xls::office_art;
  const std::span<const uint8_t> drawing(data, size);
  for (const auto& shape : tabrel::xls::read_officeart_shapes(drawing).shapes) {
    if (shape.begin > shape.end || shape.end > size) std::abort();
    std::vector<uint8_t> bytes(drawing.begin() + static_cast<long>(shape.begin),
                               drawing.begin() + static_cast<long>(shape.end));
    oa::set_shape_id(bytes, shape.shape_id + 1);
    oa::update_shape(bytes, shape.anchor.value_or(tabrel::model::Anchor{}), !shape.hidden);
    const auto cut = oa::client_data_end(bytes);
    if (cut && *cut > bytes.size()) std::abort();
  }
  return 0;
}
