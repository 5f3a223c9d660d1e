#pragma once
// Criteria of COUNTIF, SUMIF and the database functions: an optional operator (= <> < <= > >=)
// and a value; numbers compare with numbers, text with text case-insensitively and with the
// wildcards * ? and ~. In a database criteria block a bare text means "begins with".

#include <string>

#include "spreadsheet/core/date_serial.h"
#include "spreadsheet/formula/value.h"

namespace tabrel::formula {

class Criterion {
 public:
  Criterion(const Scalar& criterion, DateSystem system, bool database = false);
  bool matches(const Scalar& cell) const;

 private:
  enum class Cmp { Eq, Ne, Lt, Le, Gt, Ge };
  Cmp cmp_ = Cmp::Eq;
  Scalar value_;
  bool empty_ = false;  // "" or "=": blank cells; "<>": non-blank cells
  bool any_ = false;    // an empty cell of a database criteria block: every record
};

// Whole-text match with * (any run), ? (one character) and ~ (escape), case-insensitive.
bool wildcard_match(std::u16string_view pattern, std::u16string_view text);

}  // namespace tabrel::formula
