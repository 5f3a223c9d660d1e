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

const numfmt::Format& RenderCache::format_of_id(uint16_t id, std::u16string_view code) {
  if (id >= by_id_.size()) by_id_.resize(id + 1u);
  IdFormat& entry = by_id_[id];
  if (entry.format == nullptr || entry.code != code) {
    entry.code = code;
    entry.format = format(entry.code);
  }
  return *entry.format;
}

const FontMetrics& RenderCache::metrics(const FontSpec& font) { return metrics(font.name, font.size_pt); }

const FontMetrics& RenderCache::metrics(std::u16string_view name, double size_pt) {
  if (last_font_ && last_font_->first.second == size_pt && last_font_->first.first == name) return last_font_->second;
  auto found = metrics_.find(FontOrder::View{name, size_pt});
  if (found == metrics_.end())
    found = metrics_.try_emplace({std::u16string(name), size_pt}, FontSpec{std::u16string(name), size_pt}).first;
  last_font_ = &*found;
  return found->second;
}

}  // namespace tabrel::layout
