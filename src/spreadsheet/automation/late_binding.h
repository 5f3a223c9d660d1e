#pragma once
// Late binding: the members of the automation objects by name, as the macro interpreter calls
// them. Names are interned once (member_id) so that a running macro looks up no text. Members
// take positional and named arguments (Destination:=..., Type:=...), and a member that takes no
// arguments passes extra ones to its result's Item (FormatConditions(1), Sheets("x")).

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "spreadsheet/core/variant.h"

namespace tabrel::xl::late {

using MemberId = int32_t;

// The id of a member name, letter case ignored; the same name always gives the same id.
MemberId member_id(std::u16string_view name);
const std::u16string& member_name(MemberId id);

struct Arguments {
  std::vector<Variant> positional;  // Empty for an omitted argument
  std::vector<std::pair<std::u16string, Variant>> named;
  bool empty() const { return positional.empty() && named.empty(); }
};

// Reads a property or calls a method (no `value`), or assigns a property (`value`). An unknown
// member raises 438; a named argument the member does not take raises 448; too many arguments 450.
Variant invoke(Dispatch& object, MemberId member, const Arguments& args, const Variant* value = nullptr);

// Whether the application object has the member, so that a macro may name it without an object
// (Range, Cells, Selection, ActiveCell, Sheets ...).
bool is_global(MemberId member);

// The number of items of a collection or a range and the item at a 1-based position, for
// For Each.
int32_t item_count(Dispatch& object);
Variant item_at(Dispatch& object, int32_t position);

}  // namespace tabrel::xl::late
