#include "spreadsheet/model/sheet.h"

#include <algorithm>

namespace tabrel::model {

const ColumnInfo* Sheet::column_info(int col) const {
  for (const auto& ci : columns)
    if (col >= ci.first && col <= ci.last) return &ci;
  return nullptr;
}

uint16_t Sheet::column_width(int col) const {
  if (const ColumnInfo* ci = column_info(col)) return ci->width;
  if (standard_width) return *standard_width;
  // DEFCOLWIDTH counts characters without the padding; the stored unit adds it later in layout.
  return static_cast<uint16_t>(default_column_width * 256);
}

ColumnInfo& Sheet::column_info_for_edit(int col) {
  for (size_t i = 0; i < columns.size(); ++i) {
    ColumnInfo& ci = columns[i];
    if (col < ci.first || col > ci.last) continue;
    if (ci.first == ci.last) return ci;
    const size_t single_at = i + (col > ci.first ? 1 : 0);
    ColumnInfo before = ci, single = ci, after = ci;
    before.last = col - 1;
    single.first = single.last = col;
    after.first = col + 1;
    std::vector<ColumnInfo> parts;
    if (col > ci.first) parts.push_back(before);
    parts.push_back(single);
    if (col < ci.last) parts.push_back(after);
    columns.erase(columns.begin() + static_cast<long>(i));
    columns.insert(columns.begin() + static_cast<long>(i), parts.begin(), parts.end());
    return columns[single_at];
  }
  ColumnInfo fresh;
  fresh.first = fresh.last = col;
  fresh.width = column_width(col);
  auto pos = std::lower_bound(columns.begin(), columns.end(), col,
                              [](const ColumnInfo& ci, int c) { return ci.last < c; });
  return *columns.insert(pos, fresh);
}

uint16_t Sheet::row_height(int row) const {
  auto it = rows.find(row);
  return it == rows.end() ? default_row_height : it->second.height;
}

bool Sheet::row_hidden(int row) const {
  auto it = rows.find(row);
  return it != rows.end() && it->second.hidden;
}

std::optional<RangeRef> Sheet::merge_area(CellRef c) const {
  for (const auto& m : merges)
    if (m.contains(c)) return m;
  return std::nullopt;
}

}  // namespace tabrel::model
