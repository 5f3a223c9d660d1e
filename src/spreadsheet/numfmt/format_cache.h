#pragma once
// Compiled formats keyed by their code, so that a workbook compiles each code once.

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "spreadsheet/numfmt/format.h"

namespace tabrel::numfmt {

class FormatCache {
 public:
  // The compiled format of `code`; throws FormatError (and remembers nothing) for a bad code.
  std::shared_ptr<const Format> get(const std::u16string& code);
  size_t size() const;

 private:
  mutable std::mutex mutex_;
  std::unordered_map<std::u16string, std::shared_ptr<const Format>> formats_;
};

}  // namespace tabrel::numfmt
