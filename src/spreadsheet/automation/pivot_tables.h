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

  // Changing the fields (the table is laid out again after each change).
  // PivotFields(i): a source field by position (1-based) or name, or a data field by its caption.
  std::shared_ptr<PivotField> PivotFields(const Variant& index) const;
  // A data field summarising `field` by `function` (an xl constant; omitted: sum when every value
  // of the field is a number, else count), captioned "합계 : 금액" unless `caption` is given.
  std::shared_ptr<PivotField> AddDataField(const PivotField& field, const Variant& caption, const Variant& function);
  // Fields by name (a name or an array of names) for the row, column and page areas; each given
  // area is replaced unless `add_to_table` is true.
  void AddFields(const Variant& rows, const Variant& columns, const Variant& pages, const Variant& add_to_table);
  const SheetHandle& sheet() const { return sheet_; }
  size_t record() const { return record_; }

 private:
  SheetHandle sheet_;
  size_t record_;
};

// A field of a table, or (`data` from 0) one of its data fields.
class PivotField : public Dispatch {
 public:
  PivotField(SheetHandle sheet, size_t record, int field, int data = -1);
  std::u16string type_name() const override { return u"PivotField"; }
  std::u16string Name() const;
  int Orientation() const;  // xlRowField 1, xlColumnField 2, xlPageField 3, xlDataField 4, hidden 0
  // A page field's item cell; other fields raise 1004.
  std::shared_ptr<Range> DataRange() const;
  // The current page item's caption, "(모두)" for all items.
  Variant CurrentPage() const;
  void SetCurrentPage(const Variant& item);

  // Moving the field: xlHidden takes it off its area (a data field off the table), xlDataField
  // adds a data field. Position is 1-based within the field's area (among the data fields for a
  // data field); 1004 for a field on no area.
  void SetOrientation(const Variant& orientation);
  int Position() const;
  void SetPosition(const Variant& position);
  // A data field's function (xl constant), caption and number format; other fields raise 1004.
  int Function() const;
  void SetFunction(const Variant& function);
  std::u16string Caption() const;
  void SetCaption(const Variant& caption);
  std::u16string NumberFormat() const;
  void SetNumberFormat(const Variant& format);

  const SheetHandle& sheet() const { return sheet_; }
  size_t record() const { return record_; }
  int field() const { return field_; }
  int data() const { return data_; }

 private:
  SheetHandle sheet_;
  size_t record_;
  int field_;
  int data_;
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
