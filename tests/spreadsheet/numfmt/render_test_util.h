#pragma once
// Shared helpers of the number-format tests: render a value with a code in one call, a table of
// codes, values and the texts they show, and a measuring function where every character is 7
// pixels wide.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/core/text.h"
#include "spreadsheet/numfmt/format.h"
#include "spreadsheet/numfmt/render.h"

namespace tabrel::numfmt {

inline RenderResult render_code(std::u16string_view code, const CellValue& value, const RenderOptions& o = {}) {
  return render(Format::compile(code), value, o);
}

inline std::string shown(std::u16string_view code, const CellValue& value, const RenderOptions& o = {}) {
  return to_utf8(render_code(code, value, o).text);
}

struct RenderCase {
  const char16_t* code;
  double value;
  const char* expected;
};

inline void check(const std::vector<RenderCase>& cases, DateSystem system = DateSystem::k1900) {
  RenderOptions o;
  o.date_system = system;
  for (const RenderCase& c : cases)
    EXPECT_EQ(shown(c.code, c.value, o), c.expected) << to_utf8(c.code) << " with " << c.value;
}

inline RenderOptions cell_of_chars(int chars) {
  RenderOptions o;
  o.width_px = 7.0 * chars;
  o.measure = [](std::u16string_view s) { return 7.0 * static_cast<double>(s.size()); };
  return o;
}

}  // namespace tabrel::numfmt
