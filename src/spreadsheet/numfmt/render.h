#pragma once
// Rendering a cell value with a compiled format: the displayed text, its colour, and the hints
// that layout needs for `_x` blanks and `*x` fills.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "spreadsheet/core/date_serial.h"
#include "spreadsheet/core/variant.h"
#include "spreadsheet/numfmt/format.h"

namespace tabrel::numfmt {

// What a cell holds: nothing, a number (dates are numbers), text, a boolean or an error.
struct CellValue {
  std::variant<std::monostate, double, std::u16string, bool, CellError> value;

  CellValue() = default;
  CellValue(double d) : value(d) {}
  CellValue(std::u16string s) : value(std::move(s)) {}
  CellValue(const char16_t* s) : value(std::u16string(s)) {}
  CellValue(bool b) : value(b) {}
  CellValue(CellError e) : value(e) {}
};

struct RenderOptions {
  DateSystem date_system = DateSystem::k1900;
  // Width in pixels that the text may take in the cell (the column or merged area less its
  // padding). 0 renders without a cell: General keeps its 11 characters, nothing overflows to
  // "#" and fills are left out.
  double width_px = 0;
  // Width in pixels of a text in the cell's font; required when width_px > 0.
  std::function<double(std::u16string_view)> measure;
};

// text[position] is a blank that stands for a blank as wide as `width_of`.
struct SpacerHint {
  size_t position;
  char16_t width_of;
};

// `fill` is repeated at `position` to take up the free width of the cell.
struct FillHint {
  size_t position;
  std::u16string fill;
};

struct RenderResult {
  std::u16string text;
  std::optional<int> color;  // ColorIndex 1..56 from [Red], [Color n] ...
  std::vector<SpacerHint> spacers;
  std::optional<FillHint> fill;  // only when rendered without a cell width
  bool overflow = false;         // a number or date that did not fit: text is "#" repeated
};

// A text value shown as it is moves into the result.
RenderResult render(const Format& format, CellValue value, const RenderOptions& options = {});

// The text with each spacer replaced by the character it stands for, as measured for width.
std::u16string measured_text(const RenderResult& r);

}  // namespace tabrel::numfmt
