#pragma once
// `SplitTokens`: the words of a text between one-character separators.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabrel::rt {

// Appends every maximal run of characters other than the separator to `words`, in order, and
// returns how many it appended. The separator is the first character of `separator` when that
// is given and not empty, else a blank. The count is 16-bit: the start of word 32,768 raises
// the overflow error.
int16_t SplitTokens(std::u16string_view text, std::vector<std::u16string>& words,
                    std::optional<std::u16string_view> separator = std::nullopt);

}  // namespace tabrel::rt
