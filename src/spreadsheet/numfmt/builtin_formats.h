#pragma once
// The built-in number formats 0..58 as the Korean locale shows them; a BIFF8 XF refers to
// them by id when the file has no FORMAT record of that id.

#include <optional>
#include <string_view>

namespace tabrel::numfmt {

inline constexpr int kBuiltinFormatCount = 59;

// The code of built-in format `id`; nullopt outside 0..58. Ids without a Korean format
// (23..26) show as General.
std::optional<std::u16string_view> builtin_format_code(int id);

// The lowest built-in id whose code is exactly `code`.
std::optional<int> builtin_format_id(std::u16string_view code);

}  // namespace tabrel::numfmt
