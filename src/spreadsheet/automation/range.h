#pragma once
// A rectangle of cells of a worksheet. Reads fold the cells' values (Null when they differ);
// properties that describe one cell (Comment, FormatConditions, Phonetics) use the first cell.

#include <memory>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Application;
class Worksheet;
class Font;
class Interior;
class Borders;
class Border;
class Comment;
class FormatConditions;
class Phonetics;
class Phonetic;
class PivotField;

class Range : public Dispatch, public std::enable_shared_from_this<Range> {
 public:
  Range(SheetHandle sheet, model::RangeRef area);

  std::u16string type_name() const override { return u"Range"; }

  std::shared_ptr<xl::Application> Application() const;
  std::shared_ptr<xl::Worksheet> Worksheet() const;
  std::shared_ptr<xl::Worksheet> Parent() const { return Worksheet(); }

  // Position and shape.
  std::u16string Address(bool row_absolute = true, bool column_absolute = true) const;
  int Row() const;
  int Column() const;
  double Count() const;
  std::shared_ptr<xl::Range> Cells() const;
  std::shared_ptr<xl::Range> Cells(const Variant& row, const Variant& column = {}) const;
  // With one index, the cell counted row by row, or for Rows and Columns the row or column.
  std::shared_ptr<xl::Range> Item(const Variant& row, const Variant& column = {}) const;
  // The same cells, counted, indexed and enumerated by row or by column.
  std::shared_ptr<xl::Range> Rows() const;
  std::shared_ptr<xl::Range> Columns() const;
  std::shared_ptr<xl::Range> EntireRow() const;
  std::shared_ptr<xl::Range> EntireColumn() const;
  std::shared_ptr<xl::Range> Offset(int rows, int columns) const;
  std::shared_ptr<xl::Range> Resize(const Variant& rows, const Variant& columns = {}) const;

  // Selection: only on the active sheet of the active workbook.
  void Select();
  void Activate();

  // Values.
  Variant Value() const;
  Variant Value2() const;
  void SetValue(const Variant& value);
  Variant Text() const;
  Variant Formula() const;
  void SetFormula(const Variant& formula);
  Variant FormulaR1C1() const;
  void SetFormulaR1C1(const Variant& formula);
  Variant HasFormula() const;

  // Formats.
  std::shared_ptr<xl::Font> Font() const;
  std::shared_ptr<xl::Interior> Interior() const;
  std::shared_ptr<xl::Borders> Borders() const;
  std::shared_ptr<xl::Border> Borders(const Variant& index) const;
  Variant NumberFormat() const;
  void SetNumberFormat(const Variant& code);
  Variant NumberFormatLocal() const;
  void SetNumberFormatLocal(const Variant& code);
  // The cell style: "Normal", "Comma [0]", "Percent" ... (Korean names are taken as well).
  Variant Style() const;
  void SetStyle(const Variant& name);
  Variant HorizontalAlignment() const;
  void SetHorizontalAlignment(const Variant& value);
  Variant VerticalAlignment() const;
  void SetVerticalAlignment(const Variant& value);
  Variant WrapText() const;
  void SetWrapText(const Variant& value);
  // Degrees -90..90, or xlHorizontal, xlVertical (stacked), xlUpward, xlDownward.
  Variant Orientation() const;
  void SetOrientation(const Variant& value);
  Variant IndentLevel() const;
  void SetIndentLevel(const Variant& value);
  Variant ShrinkToFit() const;
  void SetShrinkToFit(const Variant& value);
  Variant ReadingOrder() const;  // xlContext, xlLTR, xlRTL
  void SetReadingOrder(const Variant& value);
  // The file keeps no added indent: it reads False, and only False can be written.
  Variant AddIndent() const;
  void SetAddIndent(const Variant& value);
  Variant MergeCells() const;
  void SetMergeCells(const Variant& value);
  void Merge();
  void UnMerge();
  std::shared_ptr<xl::Range> MergeArea() const;

  // Sizes: ColumnWidth in characters, RowHeight and Height in points (0 for hidden rows).
  Variant ColumnWidth() const;
  void SetColumnWidth(const Variant& characters);
  Variant RowHeight() const;
  void SetRowHeight(const Variant& points);
  Variant Height() const;
  Variant Hidden() const;
  void SetHidden(const Variant& value);

  // Things attached to the first cell.
  std::shared_ptr<xl::Comment> Comment() const;  // Nothing (nullptr) when the cell has none
  // A hidden comment on the first cell with `text`; a cell that has one already raises.
  std::shared_ptr<xl::Comment> AddComment(const std::u16string& text);
  std::shared_ptr<xl::FormatConditions> FormatConditions() const;
  std::shared_ptr<xl::Phonetics> Phonetics() const;
  std::shared_ptr<xl::Phonetic> Phonetics(const Variant& index) const;
  std::shared_ptr<xl::Phonetic> Phonetic() const;

  // Copies values, formulas (their relative references moved along) and formats to
  // `destination` (a Range of the same workbook); a larger destination takes whole copies.
  // Without a destination the range goes to the instance's clipboard for PasteSpecial and
  // Worksheet.Paste.
  void Copy(const Variant& destination = {});
  // Pastes the clipboard here: xlPasteAll, xlPasteValues, xlPasteFormulas, xlPasteFormats or
  // xlPasteColumnWidths.
  void PasteSpecial(const Variant& paste = {});
  // Fills `destination`, which holds this range at one end and extends it down, up, right or
  // left, as the fill handle does: formats and formulas tiled, series extended (fill_series.h);
  // `type` is an xlFill... value (xlGrowthTrend is not supported: 438).
  void AutoFill(const Variant& destination, const Variant& type = {});

  // The cell that Ctrl with an arrow key reaches from the first cell (xlUp, xlDown, xlToLeft,
  // xlToRight): the edge of the block of filled cells it stands in, or the next filled cell,
  // or the sheet's edge.
  std::shared_ptr<xl::Range> End(const Variant& direction) const;
  // The rectangle of filled cells around the first cell, bounded by empty rows and columns.
  std::shared_ptr<xl::Range> CurrentRegion() const;

  // AutoFilter without a field turns the sheet's filter on (on the list around a single cell)
  // or, when on, off with every row shown. With a field (1-based within the list) it filters
  // that column by Criteria1/Operator/Criteria2 (xlAnd, xlOr, top and bottom items or percent,
  // xlFilterValues with an array) or, without criteria, clears its filter; rows that fail are
  // hidden. 1004 for a field outside the list or an operator it does not take.
  void AutoFilter(const Variant& field, const Variant& criteria1, const Variant& op, const Variant& criteria2);
  // Whole columns (Columns, EntireColumn) take the width of their widest shown value in the
  // range, whole rows (Rows, EntireRow) the height of their tallest font; hidden ones stay
  // hidden. 1004 for a range of cells that are neither.
  void AutoFit();
  // Replaces `what` in the formula texts of the range's cells (a single cell: the whole sheet),
  // letter case ignored unless `match_case`, the whole text only with `whole`; each changed cell
  // is entered again as typed. Wildcards are taken literally.
  bool Replace(const std::u16string& what, const std::u16string& replacement, bool whole, bool match_case);

  void ClearContents();
  void ClearFormats();
  void ClearOutline();
  // The field of the pivot table under the range's first cell; 1004 outside a pivot table.
  std::shared_ptr<xl::PivotField> PivotField() const;
  void Clear();

  const SheetHandle& sheet() const { return sheet_; }
  const model::RangeRef& area() const { return area_; }

 private:
  std::shared_ptr<xl::Range> sub(model::RangeRef area) const;
  void enter(const Variant& formula, bool r1c1);
  SheetHandle sheet_;
  model::RangeRef area_;
  enum class Lines : uint8_t { Cells, Rows, Columns };
  Lines lines_ = Lines::Cells;
};

}  // namespace tabrel::xl
