#pragma once
// Names of directory entries: the order siblings keep (shorter first, then by upper-cased code
// units) and the rules a name obeys.

#include <string>
#include <string_view>

namespace tabrel::cfb {

// Negative, zero or positive as `a` sorts before, equal to or after `b` among siblings.
int compare_names(std::u16string_view a, std::u16string_view b);

// 1 to 31 characters, none of them NUL, '/', '\', ':' or '!'.
bool is_valid_name(std::u16string_view name);

}  // namespace tabrel::cfb
