#pragma once
// The error of the macro-project storage: a stream that is not what the project format says.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tabrel::xls::vba {

class ProjectError : public std::runtime_error {
 public:
  // offset: the byte of the stream (or of its decompressed text) at fault.
  ProjectError(uint64_t offset, const std::string& what)
      : std::runtime_error(what + " (offset " + std::to_string(offset) + ")"), offset_(offset) {}
  uint64_t offset() const { return offset_; }

 private:
  uint64_t offset_;
};

}  // namespace tabrel::xls::vba
