#pragma once
// Cell and range coordinates, 0-based (row 0 is row 1, column 0 is column A). A BIFF8 sheet has
// 65536 rows and 256 columns.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tabrel::model {

inline constexpr int kMaxRows = 65536;
inline constexpr int kMaxColumns = 256;

struct CellRef {
  int row = 0;
  int col = 0;
  friend bool operator==(const CellRef&, const CellRef&) = default;
  friend auto operator<=>(const CellRef& a, const CellRef& b) {
    return a.row != b.row ? a.row <=> b.row : a.col <=> b.col;
  }
};

struct RangeRef {
  CellRef first;
  CellRef last;  // inclusive
  friend bool operator==(const RangeRef&, const RangeRef&) = default;
  bool contains(CellRef c) const {
    return c.row >= first.row && c.row <= last.row && c.col >= first.col && c.col <= last.col;
  }
  int rows() const { return last.row - first.row + 1; }
  int cols() const { return last.col - first.col + 1; }
  long long cell_count() const { return static_cast<long long>(rows()) * cols(); }
};

// "A", "Z", "AA" .. "IV" for column indexes 0..255 (any non-negative index is spelled).
std::u16string column_letters(int col);
// Column index of letters ("a" and "A" alike); nullopt for empty, non-letters or past IV.
std::optional<int> column_from_letters(std::u16string_view letters);
// "B3" for {2, 1}; absolute markers are not written.
std::u16string a1_address(CellRef c);
// "B3" or "$B$3" to a CellRef; nullopt when malformed or out of the sheet.
std::optional<CellRef> parse_a1(std::u16string_view text);

}  // namespace tabrel::model
