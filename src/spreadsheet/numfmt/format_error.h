#pragma once
// The typed error of a number-format code that cannot be compiled.

#include <cstddef>
#include <stdexcept>
#include <string>

namespace tabrel::numfmt {

class FormatError : public std::runtime_error {
 public:
  FormatError(size_t offset, const std::string& what)
      : std::runtime_error(what + " at offset " + std::to_string(offset)), offset_(offset) {}
  // UTF-16 position in the code where the problem was found.
  size_t offset() const { return offset_; }

 private:
  size_t offset_;
};

}  // namespace tabrel::numfmt
