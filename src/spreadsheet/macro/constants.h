#pragma once
// The named constants a macro may use: the spreadsheet's (xl...), the language's (vb...) and the
// office library's (mso...), with their real values.

#include <optional>
#include <string_view>

#include "spreadsheet/core/variant.h"

namespace tabrel::macro {

// The value of a constant by name (letter case ignored); nullopt when there is none.
std::optional<Variant> constant_value(std::u16string_view name);

}  // namespace tabrel::macro
