#pragma once
// Meaning of one [...] of a format code.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "spreadsheet/numfmt/format.h"

namespace tabrel::numfmt {

struct Bracket {
  enum class Kind { Color, Condition, Locale, Elapsed, DBNum };
  Kind kind = Kind::Color;
  int color = 0;
  Condition condition{Condition::Op::Eq, 0};
  std::u16string currency;  // the symbol of [$sym-lcid], may be empty
  uint32_t locale = 0;
  DateField elapsed = DateField::ElapsedHours;
  int width = 0;  // letters of an elapsed field
  int dbnum = 0;
};

// Throws FormatError (at `offset`) for a bracket that means nothing.
Bracket read_bracket(std::u16string_view content, size_t offset);

}  // namespace tabrel::numfmt
