#pragma once
// One sheet of a workbook: its kind, name and visibility, its cells and everything laid over them.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "spreadsheet/model/cell_store.h"
#include "spreadsheet/model/change_log.h"
#include "spreadsheet/model/sheet_parts.h"

namespace tabrel::model {

enum class SheetKind : uint8_t { Worksheet, ChartSheet, MacroSheet, DialogSheet };
enum class Visibility : uint8_t { Visible = 0, Hidden = 1, VeryHidden = 2 };

struct Sheet {
  std::u16string name;
  SheetKind kind = SheetKind::Worksheet;
  Visibility visibility = Visibility::Visible;
  std::u16string code_name;  // CODENAME: the macro project's name of the sheet's module

  CellStore cells;
  ChangeLog changes;                           // cells operations changed, for recalculation
  std::vector<ColumnInfo> columns;             // sorted, not overlapping
  std::map<int, RowInfo> rows;                 // rows with a ROW record
  uint16_t default_column_width = 8;           // DEFCOLWIDTH, in characters
  std::optional<uint16_t> standard_width;      // STANDARDWIDTH, 1/256 characters
  uint16_t default_row_height = 255;           // DEFAULTROWHEIGHT, twips
  uint16_t default_row_flags = 0;

  std::vector<RangeRef> merges;
  std::vector<CondFormat> conditional_formats;
  std::vector<Comment> comments;
  std::vector<DrawingObject> drawings;
  std::vector<ChartData> embedded_charts;
  std::optional<AutoFilter> autofilter;
  std::vector<uint8_t> phonetic_settings;      // PHONETICPR payload when present
  SheetView view;

  std::map<uint32_t, SharedFormula> shared_formulas;  // keyed by CellStore::key of the master cell
  std::map<uint32_t, ArrayFormula> array_formulas;
  std::map<uint32_t, DataTable> data_tables;

  ChartData chart;                    // the chart of a chart sheet
  std::vector<RawRecord> other_records;  // records kept as stored (page setup, protection, DV, HLINK, pivot views ...)

  // What the reader found damaged and left out of this sheet, in words (the dump tool shows
  // them); the rest of the sheet was read.
  std::vector<std::string> problems;

  // Outline and guts as stored (WSBOOL, GUTS) for the writer.
  uint16_t wsbool = 0x04C1;
  std::vector<uint8_t> guts;

  // Width of a column in 1/256 characters: its COLINFO, else the standard or default width.
  uint16_t column_width(int col) const;
  const ColumnInfo* column_info(int col) const;
  // Sets width (and hidden flag) of one column, splitting COLINFO ranges as needed.
  ColumnInfo& column_info_for_edit(int col);
  // Height of a row in twips: its ROW record or the default; hidden rows keep their height.
  uint16_t row_height(int row) const;
  bool row_hidden(int row) const;
  // The merged area that contains c, if any.
  std::optional<RangeRef> merge_area(CellRef c) const;
};

}  // namespace tabrel::model
