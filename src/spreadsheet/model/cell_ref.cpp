#include "spreadsheet/model/cell_ref.h"

namespace tabrel::model {

std::u16string column_letters(int col) {
  std::u16string out;
  int n = col + 1;
  while (n > 0) {
    int rem = (n - 1) % 26;
    out.insert(out.begin(), static_cast<char16_t>(u'A' + rem));
    n = (n - 1) / 26;
  }
  return out;
}

std::optional<int> column_from_letters(std::u16string_view letters) {
  if (letters.empty() || letters.size() > 3) return std::nullopt;
  int n = 0;
  for (char16_t c : letters) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    if (c < u'A' || c > u'Z') return std::nullopt;
    n = n * 26 + (c - u'A' + 1);
  }
  if (n > kMaxColumns) return std::nullopt;
  return n - 1;
}

std::u16string a1_address(CellRef c) {
  std::u16string out = column_letters(c.col);
  std::string digits = std::to_string(c.row + 1);
  out.append(digits.begin(), digits.end());
  return out;
}

std::optional<CellRef> parse_a1(std::u16string_view text) {
  size_t i = 0;
  if (i < text.size() && text[i] == u'$') ++i;
  size_t start = i;
  while (i < text.size() && ((text[i] >= u'A' && text[i] <= u'Z') || (text[i] >= u'a' && text[i] <= u'z'))) ++i;
  auto col = column_from_letters(text.substr(start, i - start));
  if (!col) return std::nullopt;
  if (i < text.size() && text[i] == u'$') ++i;
  if (i >= text.size() || text.size() - i > 5) return std::nullopt;
  int row = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
    row = row * 10 + (text[i] - u'0');
  }
  if (row < 1 || row > kMaxRows) return std::nullopt;
  return CellRef{row - 1, *col};
}

}  // namespace tabrel::model
