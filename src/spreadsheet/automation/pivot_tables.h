#pragma once
// The pivot tables of a worksheet as the graders reach them:
// PivotTables(1).PageRangeCells.PivotField.DataRange.Value = "(모두)" selects the page item
// (all items, or one item by its name) and lays the table out again from its cache. A table whose
// records or cache do not read keeps its stored cells, and the selection raises 1004.

#include <memory>
#include <optional>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Range;
class PivotTable;
class PivotField;

class PivotTables : public Dispatch {
 public:
  explicit PivotTables(SheetHandle sheet);
  std::u16string type_name() const override { return u"PivotTables"; }
  int Count() const;
  std::shared_ptr<PivotTable> Item(const Variant& index) const;  // by position (1-based) or name

 private:
  SheetHandle sheet_;
};

class PivotTable : public Dispatch {
 public:
  PivotTable(SheetHandle sheet, size_t record);
  std::u16string type_name() const override { return u"PivotTable"; }
  std::u16string Name() const;
  std::shared_ptr<Range> TableRange1() const;
  // The page fields' cells (captions and current items); 1004 without a page field.
  std::shared_ptr<Range> PageRangeCells() const;

 private:
  SheetHandle sheet_;
  size_t record_;
};

class PivotField : public Dispatch {
 public:
  PivotField(SheetHandle sheet, size_t record, int field);
  std::u16string type_name() const override { return u"PivotField"; }
  std::u16string Name() const;
  int Orientation() const;  // xlRowField 1, xlColumnField 2, xlPageField 3, xlDataField 4, hidden 0
  // A page field's item cell; other fields raise 1004.
  std::shared_ptr<Range> DataRange() const;
  // The current page item's caption, "(모두)" for all items.
  Variant CurrentPage() const;
  void SetCurrentPage(const Variant& item);

 private:
  SheetHandle sheet_;
  size_t record_;
  int field_;
};

// The field of the pivot table under `at`: Range.PivotField; 1004 when no table holds the cell.
std::shared_ptr<PivotField> pivot_field_at(const SheetHandle& sheet, model::CellRef at);

// Writing into a page field's item cell selects that item (Range.Value); true when the cell is
// one. Raises 1004 for an item the field lacks or a table that cannot be laid out again.
bool set_page_item_at(const SheetHandle& sheet, model::CellRef at, const Variant& value);

}  // namespace tabrel::xl
