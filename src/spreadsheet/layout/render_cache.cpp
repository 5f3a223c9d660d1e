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

const numfmt::Format& RenderCache::builtin_format(int id, std::u16string_view code) {
  const size_t index = static_cast<size_t>(id);
  if (index >= builtins_.size()) builtins_.resize(index + 1);
  if (builtins_[index] == nullptr) builtins_[index] = format(std::u16string(code));
  return *builtins_[index];
}

const FontMetrics& RenderCache::metrics(const FontSpec& font) { return metrics(font.name, font.size_pt); }

const FontMetrics& RenderCache::metrics(std::u16string_view name, double size_pt) {
  const auto found = metrics_.find(FontOrder::View{name, size_pt});
  if (found != metrics_.end()) return found->second;
  return metrics_.try_emplace({std::u16string(name), size_pt}, FontSpec{std::u16string(name), size_pt}).first->second;
}

}  // namespace tabrel::layout
