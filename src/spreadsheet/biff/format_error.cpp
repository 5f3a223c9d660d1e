#include "spreadsheet/biff/format_error.h"

namespace tabrel::biff {

FormatError::FormatError(uint64_t offset, const std::string& what)
    : std::runtime_error(what + " (stream offset " + std::to_string(offset) + ")"), offset_(offset) {}

}  // namespace tabrel::biff
