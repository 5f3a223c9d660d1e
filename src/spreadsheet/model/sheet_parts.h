#pragma once
// The parts of a sheet besides its cells: column and row info, merges, conditional formats,
// comments, drawing objects, autofilter, view state, shared/array formulas and data tables.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "spreadsheet/model/cell_ref.h"
#include "spreadsheet/model/chart.h"
#include "spreadsheet/model/raw_record.h"
#include "spreadsheet/model/rich_text.h"
#include "spreadsheet/model/styles.h"

namespace tabrel::model {

struct ColumnInfo {
  int first = 0, last = 0;   // inclusive column range
  uint16_t width = 2340;     // in 1/256 of the default font's character width (as COLINFO stores)
  uint16_t xf = 15;
  bool hidden = false;
  bool custom_width = false;
  bool best_fit = false;
  uint8_t outline_level = 0;
  bool collapsed = false;
  friend bool operator==(const ColumnInfo&, const ColumnInfo&) = default;
};

struct RowInfo {
  uint16_t height = 255;     // in twips
  bool custom_height = false;
  bool default_height = false;  // the height word's top bit: the row keeps the default height
  bool hidden = false;
  uint8_t outline_level = 0;
  bool collapsed = false;
  bool has_xf = false;
  uint16_t xf = 15;
  friend bool operator==(const RowInfo&, const RowInfo&) = default;
};

// Differential formatting of a conditional-format rule; unset parts stay nullopt.
struct CondFont {
  std::optional<uint16_t> height;
  std::optional<bool> bold;
  std::optional<bool> italic;
  std::optional<bool> strikeout;
  std::optional<uint8_t> underline;
  std::optional<uint16_t> color;
  friend bool operator==(const CondFont&, const CondFont&) = default;
};

struct CondFill {
  std::optional<uint8_t> pattern;
  std::optional<uint16_t> pattern_color;
  std::optional<uint16_t> background_color;
  friend bool operator==(const CondFill&, const CondFill&) = default;
};

struct CondBorder {
  std::optional<BorderLine> left, right, top, bottom;
  friend bool operator==(const CondBorder&, const CondBorder&) = default;
};

struct CondRule {
  // 1 cell value, 2 formula; rules of the newer record (CF12) also 3 colour scale, 4 data bar,
  // 5 filter (top/bottom, averages, unique values ...), 6 icon set.
  uint8_t type = 1;
  uint8_t op = 0;         // 1 between .. 8 less or equal (cell-value rules)
  std::vector<uint8_t> formula1;  // rgce, relative to the range's first cell
  std::vector<uint8_t> formula2;
  std::optional<CondFont> font;
  std::optional<CondBorder> border;
  std::optional<CondFill> fill;
  std::optional<uint16_t> number_format;  // present in BIFF8 only through CF12; kept raw otherwise
  // What the newer records (CF12, or a CFEX extending a classic rule) add: the template the rule
  // was made from (icfTemplate: 0x08 text contains, 0x09 blanks, 0x0F..0x18 dates, 0x19 above
  // average ...) and the rule's priority (1 is evaluated first).
  std::optional<uint16_t> template_kind;
  std::optional<uint16_t> priority;
  bool from_cf12 = false;  // decoded from a CF12 record, which the writer writes back as stored
  friend bool operator==(const CondRule&, const CondRule&) = default;
};

struct CondFormat {
  std::vector<RangeRef> ranges;
  std::vector<CondRule> rules;
  std::vector<RawRecord> extended;  // CONDFMT12/CF12 records as stored, for the writer
  uint16_t id = 0;                  // nID, by which CFEX records name the format
  bool from_condfmt12 = false;      // a CONDFMT12 format: the writer writes only `extended`
  friend bool operator==(const CondFormat&, const CondFormat&) = default;
};

// How a drawn object is tied to the cells: top-left and bottom-right cell with offsets in
// 1/1024 of the column's width and 1/256 of the row's height.
struct Anchor {
  int col1 = 0, dx1 = 0, row1 = 0, dy1 = 0;
  int col2 = 0, dx2 = 0, row2 = 0, dy2 = 0;
  uint8_t placement = 2;  // 1 move and size, 2 move only, 3 free-floating
  friend bool operator==(const Anchor&, const Anchor&) = default;
};

// OBJ record types (ot): 0 group, 1 line, 2 rectangle, 3 oval, 4 arc, 5 chart, 6 text box,
// 7 button, 8 picture, 9 polygon, 11 check box, 12 option button, 13 edit box, 14 label,
// 15 dialog box, 16 spinner, 17 scroll bar, 18 list box, 19 group box, 20 drop-down, 25 comment,
// 30 drawing (autoshape).
struct DrawingObject {
  uint16_t object_type = 0;
  uint16_t object_id = 0;
  uint32_t shape_id = 0;        // the drawing layer's shape id
  uint16_t autoshape_type = 0;  // msosp shape type from the shape record (1 rectangle, 202 text box ...)
  // Adjustment handles the shape's property table sets: handle (0 the first) -> value in shape
  // units (21600 the shape's full extent). Handles it leaves out keep the shape type's default.
  std::map<int, int32_t> adjustments;
  double rotation = 0;          // degrees clockwise, 0 up to 360
  Anchor anchor;
  std::u16string name;
  std::u16string alternative_text;
  std::u16string macro;         // assigned macro as its formula text would name it (OnAction)
  std::vector<uint8_t> macro_tokens;  // the assigned macro's formula as stored
  RichText text;                // TXO text of text boxes, buttons, comments
  bool hidden = false;
  std::vector<uint8_t> shape_bytes;   // the object's drawing-layer records, as stored
  std::vector<RawRecord> obj_records; // OBJ, TXO and their CONTINUE, as stored
  int chart_index = -1;         // for a chart object: index into Sheet::embedded_charts
};

struct Comment {
  CellRef cell;
  std::u16string author;
  RichText text;            // as the text box holds it (the author line the spreadsheet inserts included)
  bool visible = false;
  uint16_t object_id = 0;   // links NOTE with the OBJ of its shape
  int drawing_index = -1;   // index into Sheet::drawings of its shape
};

struct AutoFilterCondition {
  uint8_t value_type = 0;   // 0 none, 2 RK, 4 number, 6 string, 8 bool/error, 12 blanks, 14 non-blanks
  uint8_t op = 0;           // 1 <, 2 =, 3 <=, 4 >, 5 <>, 6 >=
  double number = 0;
  std::u16string text;
  bool bool_or_error = false;
  uint8_t bool_error_value = 0;
  friend bool operator==(const AutoFilterCondition&, const AutoFilterCondition&) = default;
};

struct AutoFilterColumn {
  uint16_t index = 0;       // column within the filter range
  bool join_or = false;     // wJoin: the two conditions joined by OR
  bool simple1 = false, simple2 = false;
  bool top10 = false, top = false, percent = false;
  uint16_t top10_count = 0;
  AutoFilterCondition first, second;
  // Values chosen from the column's list by a macro (shown when equal to one of them); the file
  // keeps the first two as conditions joined by OR.
  std::vector<std::u16string> values;
  friend bool operator==(const AutoFilterColumn&, const AutoFilterColumn&) = default;
};

struct AutoFilter {
  RangeRef range;           // from the sheet's _FilterDatabase name
  uint16_t drop_downs = 0;  // AUTOFILTERINFO cEntries
  bool filter_mode = false; // FILTERMODE present: some rows are hidden by the filter
  std::vector<AutoFilterColumn> columns;
};

struct Selection {
  uint8_t pane = 3;
  CellRef active;
  int active_index = 0;
  std::vector<RangeRef> ranges;
  friend bool operator==(const Selection&, const Selection&) = default;
};

struct SheetView {
  bool selected = false;       // the tab is selected
  bool active = false;         // the sheet is shown
  bool show_gridlines = true;
  bool show_headers = true;
  bool show_zeros = true;
  bool frozen = false;
  bool right_to_left = false;
  CellRef top_left;
  uint16_t zoom_percent = 100;
  uint16_t window2_flags = 0;  // as stored, for the writer
  std::vector<Selection> selections;
  std::vector<uint8_t> pane;   // PANE payload when present
};

struct SharedFormula {
  RangeRef range;
  std::vector<uint8_t> tokens;  // relative tokens (PtgRefN/PtgAreaN)
  std::vector<uint8_t> extra;
};

struct ArrayFormula {
  RangeRef range;
  uint16_t flags = 0;
  std::vector<uint8_t> tokens;
  std::vector<uint8_t> extra;
};

// A what-if data table (TABLE record) over `range` (the result cells, without the input row
// and column).
struct DataTable {
  RangeRef range;
  uint16_t flags = 0;        // fAlwaysCalc, fRw (row input), fTbl2 (two inputs), ...
  CellRef input1;            // row or column input cell
  CellRef input2;            // column input of a two-input table
  bool two_inputs() const { return (flags & 0x08) != 0; }
  bool row_input() const { return (flags & 0x04) != 0; }
};

// An embedded chart or the content of a chart sheet: its records as stored, BOF..EOF of the
// chart substream (the writer writes them back), and what the reader decoded of them.
struct ChartData {
  std::vector<RawRecord> records;
  Chart chart;
};

}  // namespace tabrel::model
