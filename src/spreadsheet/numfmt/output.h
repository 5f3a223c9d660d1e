#pragma once
// The text being built by a section renderer, with its spacer and fill hints.

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "spreadsheet/numfmt/format.h"
#include "spreadsheet/numfmt/render.h"

namespace tabrel::numfmt {

class Output {
 public:
  void append(std::u16string_view s) { r_.text.append(s); }
  void append(char16_t c) { r_.text.push_back(c); }
  // Digits, signs and letters of plain ASCII.
  void append_ascii(std::string_view s) {
    const size_t at = r_.text.size();
    r_.text.resize(at + s.size());
    std::copy(s.begin(), s.end(), r_.text.begin() + static_cast<std::ptrdiff_t>(at));
  }
  void spacer(char16_t width_of) {
    r_.spacers.push_back({r_.text.size(), width_of});
    r_.text.push_back(u' ');
  }
  void fill(std::u16string_view s) {
    if (!r_.fill) r_.fill = FillHint{r_.text.size(), std::u16string(s)};
  }
  // Literals, spacers and fills; false for other elements.
  bool common(const Element& e) {
    switch (e.kind) {
      case ElementKind::Literal: append(e.text); return true;
      case ElementKind::Spacer: spacer(e.text.empty() ? u' ' : e.text[0]); return true;
      case ElementKind::Fill: fill(e.text); return true;
      default: return false;
    }
  }
  RenderResult& result() { return r_; }

 private:
  RenderResult r_;
};

}  // namespace tabrel::numfmt
