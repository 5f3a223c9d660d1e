#pragma once
// The eight named colours of format codes, in English (as stored) and Korean (as the Korean
// UI shows them), with their palette ColorIndex; and [Color n] / [색n].

#include <optional>
#include <string>
#include <string_view>

namespace tabrel::numfmt {

struct NamedColor {
  std::u16string_view english;  // "Red"
  std::u16string_view korean;   // "빨강"
  int color_index;              // 3
};

// The eight names, ordered by ColorIndex 1..8.
const NamedColor* named_colors();
inline constexpr int kNamedColorCount = 8;

// ColorIndex of a bracket's content when it names a colour in either language or is
// "Color n" / "색n" with n in 1..56 (case-insensitive for the English words).
std::optional<int> color_from_bracket(std::u16string_view content);

}  // namespace tabrel::numfmt
