#pragma once
// The pivot tables of a worksheet as the graders reach them:
// PivotTables(1).PageRangeCells.PivotField.DataRange.Value = "(모두)" selects the page item
// (all items, or one item by its name) and lays the table out again from its cache. A table whose
// records or cache do not read keeps its stored cells, and the selection raises 1004.

#include <memory>
#include <optional>
#include <string>
#include <vector>

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

// A new pivot table by field names: the fields of each area outermost first, the data fields
// with their function (xlSum -4157, xlCount -4112, xlAverage -4106), caption and number format.
struct PivotDataChoice {
  std::u16string field;
  int function = -4157;
  std::u16string caption;        // empty: the spreadsheet's caption ("합계 : 금액")
  std::u16string number_format;  // empty: General
};
struct PivotTableChoice {
  std::u16string name;
  std::vector<std::u16string> pages, rows, columns;
  std::vector<PivotDataChoice> data;
};

// Makes a pivot table of `source` (field names in its first row) on `sheet`, its body beginning
// at `at` and its page fields above it, and lays it out. Raises 1004 for a field the source
// lacks or an arrangement the table cannot show.
std::shared_ptr<PivotTable> add_pivot_table(const SheetHandle& sheet, model::CellRef at, const SheetHandle& source_sheet,
                                            const model::RangeRef& source, const PivotTableChoice& choice);

// The field of the pivot table under `at`: Range.PivotField; 1004 when no table holds the cell.
std::shared_ptr<PivotField> pivot_field_at(const SheetHandle& sheet, model::CellRef at);

// Writing into a page field's item cell selects that item (Range.Value); true when the cell is
// one. Raises 1004 for an item the field lacks or a table that cannot be laid out again.
bool set_page_item_at(const SheetHandle& sheet, model::CellRef at, const Variant& value);

}  // namespace tabrel::xl
