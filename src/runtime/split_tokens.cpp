#include "runtime/split_tokens.h"

#include "spreadsheet/core/run_time_errors.h"

namespace tabrel::rt {

int16_t SplitTokens(std::u16string_view text, std::vector<std::u16string>& words,
                    std::optional<std::u16string_view> separator) {
  const char16_t sep = separator && !separator->empty() ? separator->front() : u' ';
  int16_t count = 0;
  bool in_word = false;
  for (char16_t c : text) {
    if (c == sep) {
      in_word = false;
      continue;
    }
    if (!in_word) {
      if (count == INT16_MAX) raise_error(err::kOverflow);
      ++count;
      in_word = true;
      words.resize(static_cast<size_t>(count));
    }
    words[static_cast<size_t>(count - 1)] += c;
  }
  return count;
}

}  // namespace tabrel::rt
