#include "spreadsheet/layout/render_cache.h"

#include "spreadsheet/numfmt/format_error.h"

namespace tabrel::layout {

std::shared_ptr<const numfmt::Format> RenderCache::format(const std::u16string& code) {
  try {
    return formats_.get(code);
  } catch (const numfmt::FormatError&) {
    if (general_ == nullptr) general_ = formats_.get(u"General");
    return general_;
  }
}

const FontMetrics& RenderCache::metrics(const FontSpec& font) {
  const auto found = metrics_.find(FontOrder::View{font.name, font.size_pt});
  if (found != metrics_.end()) return found->second;
  return metrics_.try_emplace({font.name, font.size_pt}, font).first->second;
}

}  // namespace tabrel::layout
