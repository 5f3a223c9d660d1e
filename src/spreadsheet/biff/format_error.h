#pragma once
// The error of the record layer: the stream is not a well-formed BIFF8 record sequence.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tabrel::biff {

class FormatError : public std::runtime_error {
 public:
  // offset: the stream offset of the record (or byte) at fault.
  FormatError(uint64_t offset, const std::string& what);
  uint64_t offset() const { return offset_; }

 private:
  uint64_t offset_;
};

}  // namespace tabrel::biff
