#pragma once
// Range.AutoFormat: one of the spreadsheet's built-in table formats laid over a table, as the
// auto-format command of the desktop spreadsheet lays it and its recorder writes it:
//
//   Selection.AutoFormat Format:=xlRangeAutoFormatClassic2, Number:=True, Font:=True, _
//       Alignment:=True, Border:=True, Pattern:=True, Width:=True

#include <span>

#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Range;

// The formats Range.AutoFormat knows (xlRangeAutoFormat values).
enum class TableFormat : int {
  None = -4142,
  Simple = -4154,
  Classic1 = 1,
  Classic2 = 2,
  Classic3 = 3,
  Accounting1 = 4,
  Accounting2 = 5,
  Accounting3 = 6,
  Colorful1 = 7,
  Colorful2 = 8,
  Colorful3 = 9,
  List1 = 10,
  List2 = 11,
  List3 = 12,
  Effects3D1 = 13,
  Effects3D2 = 14,
  Accounting4 = 17,
};

// Which kinds of format the table format lays; each is True when omitted.
struct TableFormatParts {
  bool number = true;
  bool font = true;
  bool alignment = true;
  bool border = true;
  bool pattern = true;
  bool width = true;  // the table's columns fitted to their contents
};

// Formats the table under `range`: the range itself, or for a single cell the current region
// around it. A table of one cell, and a format that is not one of TableFormat (the pivot-table
// reports, the local formats), raise 1004.
void AutoFormat(Range& range, TableFormat format, TableFormatParts parts = {});

// The late-bound call: Format (Classic 1 when omitted), Number, Font, Alignment, Border,
// Pattern, Width.
void AutoFormat(Range& range, std::span<const Variant> arguments);

}  // namespace tabrel::xl
