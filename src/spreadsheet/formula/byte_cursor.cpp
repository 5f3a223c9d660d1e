#include "spreadsheet/formula/byte_cursor.h"

#include <cstring>

namespace tabrel::formula {

double ByteCursor::f64() {
  need(8);
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | bytes_[pos_ + static_cast<size_t>(i)];
  pos_ += 8;
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

}  // namespace tabrel::formula
