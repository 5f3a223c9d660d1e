#pragma once
// Range addresses as the Range property takes them ("A3", "$B$3:F10", "A:A", "1:3") and as the
// Address property writes them.

#include <optional>
#include <string>
#include <string_view>

#include "spreadsheet/model/cell_ref.h"

namespace tabrel::xl {

// One rectangle; corners may come in any order. nullopt when the text is no address.
std::optional<model::RangeRef> parse_range_address(std::u16string_view text);

// An absolute R1C1 address as Application.Goto takes it: "R3C2", "R1C1:R4C3", "R2:R5" for
// whole rows, "C1:C3" for whole columns. nullopt when the text is no such address.
std::optional<model::RangeRef> parse_r1c1_address(std::u16string_view text);

// "$A$1", "$A$1:$C$4", "$A:$B" for whole columns, "$2:$5" for whole rows.
std::u16string range_address(const model::RangeRef& area, bool row_absolute = true, bool column_absolute = true);

}  // namespace tabrel::xl
