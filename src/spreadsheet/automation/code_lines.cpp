#include "spreadsheet/automation/code_lines.h"

namespace tabrel::xl {
namespace {

std::vector<std::u16string> split(std::u16string_view text, bool& open_end) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  open_end = false;
  while (start < text.size()) {
    const size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string_view::npos) {
      lines.emplace_back(text.substr(start));
      open_end = true;
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, u"\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

}  // namespace

// "Attribute VB_Name = ...", "Attribute Macro1.VB_ProcData.VB_Invoke_Func = ...": the word after
// "Attribute " names a VB_ attribute, of the module or of one of its members.
bool is_attribute_line(std::u16string_view line) {
  constexpr std::u16string_view kWord = u"Attribute ";
  if (line.substr(0, kWord.size()) != kWord) return false;
  const std::u16string_view rest = line.substr(kWord.size());
  const std::u16string_view name = rest.substr(0, rest.find(u' '));
  return name.substr(0, 3) == u"VB_" || name.find(u".VB_") != std::u16string_view::npos;
}

CodeLines::CodeLines(std::u16string_view source) {
  lines_ = split(source, open_end_);
  find_shown();
}

void CodeLines::find_shown() {
  shown_.clear();
  for (size_t i = 0; i < lines_.size(); ++i)
    if (!is_attribute_line(lines_[i])) shown_.push_back(i);
}

std::u16string_view CodeLines::line(size_t number) const { return lines_[shown_[number - 1]]; }

void CodeLines::replace(size_t number, std::u16string_view text) {
  const size_t at = shown_[number - 1];
  bool open = false;
  std::vector<std::u16string> parts = split(text, open);
  if (parts.empty()) parts.emplace_back();
  lines_.erase(lines_.begin() + static_cast<ptrdiff_t>(at));
  lines_.insert(lines_.begin() + static_cast<ptrdiff_t>(at), parts.begin(), parts.end());
  find_shown();
}

std::u16string CodeLines::source() const {
  std::u16string out;
  for (size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i];
    if (i + 1 < lines_.size() || !open_end_) out += u"\r\n";
  }
  return out;
}

}  // namespace tabrel::xl
