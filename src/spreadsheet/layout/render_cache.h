#pragma once
// What displaying many cells reuses: each number-format code compiled once and one metrics
// object per font, so that showing a cell costs its rendering alone.

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
  // The compiled code of a built-in format id, whose code never changes: found by the id alone.
  const numfmt::Format& builtin_format(int id, std::u16string_view code);
  const FontMetrics& metrics(const FontSpec& font);
  const FontMetrics& metrics(std::u16string_view name, double size_pt);

 private:
  numfmt::FormatCache formats_;
  std::shared_ptr<const numfmt::Format> general_;
  std::vector<std::shared_ptr<const numfmt::Format>> builtins_;  // by id; null until first used
  // Looked up by a view of the name, so that finding a font copies nothing.
  struct FontOrder {
    using is_transparent = void;
    using View = std::pair<std::u16string_view, double>;
    bool operator()(const View& a, const View& b) const { return a < b; }
  };
  std::map<std::pair<std::u16string, double>, FontMetrics, FontOrder> metrics_;
};

}  // namespace tabrel::layout
