#include "spreadsheet/ops/dimensions.h"

namespace tabrel::ops {

void set_column_width(model::Sheet& sheet, int first_col, int last_col, uint16_t width_256ths) {
  for (int c = first_col; c <= last_col; ++c) {
    model::ColumnInfo& info = sheet.column_info_for_edit(c);
    if (width_256ths == 0) {
      info.hidden = true;
      continue;
    }
    info.width = width_256ths;
    info.hidden = false;
    info.custom_width = true;
  }
}

void set_column_hidden(model::Sheet& sheet, int first_col, int last_col, bool hidden) {
  for (int c = first_col; c <= last_col; ++c) sheet.column_info_for_edit(c).hidden = hidden;
}

void set_row_height(model::Sheet& sheet, int first_row, int last_row, uint16_t twips) {
  for (int r = first_row; r <= last_row; ++r) {
    auto [it, added] = sheet.rows.try_emplace(r);
    if (added) it->second.height = sheet.default_row_height;
    if (twips == 0) {
      it->second.hidden = true;
      continue;
    }
    it->second.height = twips;
    it->second.hidden = false;
    it->second.custom_height = true;
  }
}

void set_row_hidden(model::Sheet& sheet, int first_row, int last_row, bool hidden) {
  for (int r = first_row; r <= last_row; ++r) {
    auto [it, added] = sheet.rows.try_emplace(r);
    if (added) it->second.height = sheet.default_row_height;
    it->second.hidden = hidden;
  }
}

}  // namespace tabrel::ops
