#pragma once
// A module's source as the macro editor shows it: lines numbered from 1, without the
// "Attribute VB_..." lines that the editor keeps out of sight (the module's header and the
// attributes inside procedures). Edits go back into the full source with the hidden lines kept.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tabrel::xl {

class CodeLines {
 public:
  explicit CodeLines(std::u16string_view source);

  size_t count() const { return shown_.size(); }
  std::u16string_view line(size_t number) const;  // 1-based, number <= count()

  // Replaces a shown line; a text with line breaks becomes several lines.
  void replace(size_t number, std::u16string_view text);

  // The full source again, every line ended by CR LF (a last line without one stays so).
  std::u16string source() const;

 private:
  void find_shown();

  std::vector<std::u16string> lines_;  // every line of the source
  std::vector<size_t> shown_;          // indexes into lines_ of the lines the editor shows
  bool open_end_ = false;              // the source's last line has no line break
};

bool is_attribute_line(std::u16string_view line);

}  // namespace tabrel::xl
