#include "spreadsheet/automation/range_address.h"

#include <algorithm>

#include "spreadsheet/core/text.h"
#include "spreadsheet/ops/cell_format.h"

namespace tabrel::xl {
namespace {

// One side of a range: a cell, a column alone or a row alone.
struct Corner {
  std::optional<int> row;
  std::optional<int> col;
};

std::optional<int> parse_row(std::u16string_view digits) {
  if (digits.empty() || digits.size() > 5) return std::nullopt;
  int row = 0;
  for (char16_t ch : digits) {
    if (ch < u'0' || ch > u'9') return std::nullopt;
    row = row * 10 + (ch - u'0');
  }
  if (row < 1 || row > model::kMaxRows) return std::nullopt;
  return row - 1;
}

std::optional<Corner> parse_corner(std::u16string_view text) {
  size_t i = 0;
  if (i < text.size() && text[i] == u'$') ++i;
  const size_t letters_start = i;
  while (i < text.size() && ((text[i] >= u'A' && text[i] <= u'Z') || (text[i] >= u'a' && text[i] <= u'z'))) ++i;
  Corner corner;
  if (i > letters_start) {
    corner.col = model::column_from_letters(text.substr(letters_start, i - letters_start));
    if (!corner.col) return std::nullopt;
    if (i < text.size() && text[i] == u'$') ++i;
  } else {
    i = 0;
    if (i < text.size() && text[i] == u'$') ++i;
  }
  if (i < text.size()) {
    corner.row = parse_row(text.substr(i));
    if (!corner.row) return std::nullopt;
  }
  if (!corner.row && !corner.col) return std::nullopt;
  return corner;
}

// "R3C2", "R3" or "C2" (1-based numbers after the letters).
std::optional<Corner> parse_r1c1_corner(std::u16string_view text) {
  Corner corner;
  size_t i = 0;
  auto number = [&](char16_t letter, int limit) -> std::optional<std::optional<int>> {
    if (i >= text.size() || (text[i] != letter && text[i] != letter + (u'a' - u'A'))) return std::optional<int>{};
    const size_t start = ++i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') ++i;
    const auto value = parse_row(text.substr(start, i - start));
    if (!value || *value >= limit) return std::nullopt;
    return value;
  };
  const auto row = number(u'R', model::kMaxRows);
  if (!row) return std::nullopt;
  const auto col = number(u'C', model::kMaxColumns);
  if (!col || i != text.size() || (!*row && !*col)) return std::nullopt;
  corner.row = *row;
  corner.col = *col;
  return corner;
}

// The rectangle between two corners of the same kind: cells, whole columns or whole rows.
std::optional<model::RangeRef> span(const Corner& first, const Corner& second, bool single) {
  const bool cells = first.row && first.col && second.row && second.col;
  const bool columns = !first.row && !second.row && first.col && second.col && !single;
  const bool rows = !first.col && !second.col && first.row && second.row && !single;
  if (!cells && !columns && !rows) return std::nullopt;
  const int r1 = first.row.value_or(0), r2 = second.row.value_or(model::kMaxRows - 1);
  const int c1 = first.col.value_or(0), c2 = second.col.value_or(model::kMaxColumns - 1);
  const int top = rows || cells ? std::min(r1, r2) : 0;
  const int bottom = rows || cells ? std::max(r1, r2) : model::kMaxRows - 1;
  const int left = columns || cells ? std::min(c1, c2) : 0;
  const int right = columns || cells ? std::max(c1, c2) : model::kMaxColumns - 1;
  return model::RangeRef{{top, left}, {bottom, right}};
}

}  // namespace

std::optional<model::RangeRef> parse_r1c1_address(std::u16string_view text) {
  const size_t colon = text.find(u':');
  const auto first = parse_r1c1_corner(text.substr(0, colon));
  if (!first) return std::nullopt;
  if (colon == std::u16string_view::npos) return span(*first, *first, false);
  const auto second = parse_r1c1_corner(text.substr(colon + 1));
  if (!second) return std::nullopt;
  return span(*first, *second, false);
}

std::optional<model::RangeRef> parse_range_address(std::u16string_view text) {
  const size_t colon = text.find(u':');
  const auto first = parse_corner(text.substr(0, colon));
  if (!first) return std::nullopt;
  Corner second = *first;
  if (colon != std::u16string_view::npos) {
    const auto parsed = parse_corner(text.substr(colon + 1));
    if (!parsed) return std::nullopt;
    second = *parsed;
  }
  return span(*first, second, colon == std::u16string_view::npos);
}

std::u16string range_address(const model::RangeRef& area, bool row_absolute, bool column_absolute) {
  const std::u16string row_mark = row_absolute ? u"$" : u"";
  const std::u16string col_mark = column_absolute ? u"$" : u"";
  auto row_text = [&](int row) { return row_mark + from_utf8(std::to_string(row + 1)); };
  auto col_text = [&](int col) { return col_mark + model::column_letters(col); };
  if (ops::spans_all_rows(area) && !ops::spans_all_columns(area))
    return col_text(area.first.col) + u":" + col_text(area.last.col);
  if (ops::spans_all_columns(area) && !ops::spans_all_rows(area))
    return row_text(area.first.row) + u":" + row_text(area.last.row);
  std::u16string text = col_text(area.first.col) + row_text(area.first.row);
  if (area.cell_count() > 1) text += u":" + col_text(area.last.col) + row_text(area.last.row);
  return text;
}

}  // namespace tabrel::xl
