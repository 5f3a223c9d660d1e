#include "spreadsheet/numfmt/format_cache.h"

namespace tabrel::numfmt {

std::shared_ptr<const Format> FormatCache::get(const std::u16string& code) {
  {
    std::lock_guard lock(mutex_);
    auto it = formats_.find(code);
    if (it != formats_.end()) return it->second;
  }
  auto compiled = std::make_shared<const Format>(Format::compile(code));
  std::lock_guard lock(mutex_);
  return formats_.emplace(code, std::move(compiled)).first->second;
}

size_t FormatCache::size() const {
  std::lock_guard lock(mutex_);
  return formats_.size();
}

}  // namespace tabrel::numfmt
