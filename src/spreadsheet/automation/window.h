#pragma once
// The window of the active workbook as recorded macros scroll it: the first row and column
// shown on the active sheet (ScrollRow, ScrollColumn, SmallScroll, LargeScroll) and the zoom.

#include <memory>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Window : public Dispatch {
 public:
  explicit Window(SheetHandle sheet);
  std::u16string type_name() const override { return u"Window"; }

  int ScrollRow() const;     // 1-based
  void SetScrollRow(const Variant& row);
  int ScrollColumn() const;  // 1-based
  void SetScrollColumn(const Variant& column);
  // Moves the first shown row and column by whole rows and columns (a page counts 20 rows or
  // 10 columns for LargeScroll); the window never scrolls before row or column 1.
  void SmallScroll(const Variant& down, const Variant& up, const Variant& to_right, const Variant& to_left);
  void LargeScroll(const Variant& down, const Variant& up, const Variant& to_right, const Variant& to_left);
  int Zoom() const;
  void SetZoom(const Variant& percent);  // 10..400

 private:
  void scroll_by(int rows, int columns);
  SheetHandle sheet_;
};

}  // namespace tabrel::xl
