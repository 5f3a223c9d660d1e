#pragma once
// What displaying many cells reuses: each number-format code compiled once and one metrics
// object per font, so that showing a cell costs its rendering alone.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "spreadsheet/layout/font_metrics.h"
#include "spreadsheet/numfmt/format.h"
#include "spreadsheet/numfmt/format_cache.h"

namespace tabrel::layout {

class RenderCache {
 public:
  // The compiled code; General for a code that does not compile, as the cell then shows.
  std::shared_ptr<const numfmt::Format> format(const std::u16string& code);
  // The compiled code of a format id whose code is `code` (a workbook's own or the built-in one):
  // found by the id, and compiled again only when the id's code has changed.
  const numfmt::Format& format_of_id(uint16_t id, std::u16string_view code);
  const FontMetrics& metrics(const FontSpec& font);
  const FontMetrics& metrics(std::u16string_view name, double size_pt);

 private:
  numfmt::FormatCache formats_;
  std::shared_ptr<const numfmt::Format> general_;
  struct IdFormat {
    std::u16string code;
    std::shared_ptr<const numfmt::Format> format;  // null until first used
  };
  std::vector<IdFormat> by_id_;
  // Looked up by a view of the name, so that finding a font copies nothing.
  struct FontOrder {
    using is_transparent = void;
    using View = std::pair<std::u16string_view, double>;
    bool operator()(const View& a, const View& b) const { return a < b; }
  };
  std::map<std::pair<std::u16string, double>, FontMetrics, FontOrder> metrics_;
  // The font found last, which the next cell most often asks for again.
  const std::pair<const std::pair<std::u16string, double>, FontMetrics>* last_font_ = nullptr;
};

}  // namespace tabrel::layout
