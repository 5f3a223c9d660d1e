#pragma once
// Writes whole-number digits into a run of placeholders, right-aligned: the leftmost
// placeholder takes any extra leading digits, '0' pads with zeros, '?' with blanks, '#' with
// nothing; with grouping a comma follows every third digit from the right.

#include <string>

#include "spreadsheet/numfmt/output.h"

namespace tabrel::numfmt {

class DigitWriter {
 public:
  // `digits` without leading zeros ("" for zero); `placeholders` in the run.
  DigitWriter(std::string digits, int placeholders, bool grouping)
      : digits_(std::move(digits)), count_(placeholders), grouping_(grouping) {}

  // Writes what the next placeholder (`kind` is '0', '#' or '?') shows.
  void write(char16_t kind, Output& out);
  // Writes all digits at once where a code has no placeholder for them (".00" or "0.0E+0").
  void write_all(Output& out);

 private:
  void put(char c, long position, Output& out);

  std::string digits_;
  int count_;
  bool grouping_;
  int written_ = 0;
};

}  // namespace tabrel::numfmt
