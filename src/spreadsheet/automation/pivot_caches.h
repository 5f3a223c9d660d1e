#pragma once
// Pivot tables made step by step, as recorded macros make them: Workbook.PivotCaches.Create (or
// Add) names the source range, PivotCache.CreatePivotTable places an empty table, and the fields
// are then put on its areas (PivotTable.AddFields, AddDataField, PivotField.Orientation).
// Worksheet.PivotTableWizard does the first two steps at once, or moves the active sheet's table.

#include <memory>
#include <optional>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class PivotCache;
class PivotTable;
class Workbook;
class Worksheet;

class PivotCaches : public Dispatch {
 public:
  explicit PivotCaches(std::shared_ptr<Workbook> book);
  std::u16string type_name() const override { return u"PivotCaches"; }
  // A cache of a range of the workbook: a Range, or a reference text ("데이터!R3C1:R15C5",
  // "'데이터'!$A$3:$E$15"). Only worksheet ranges (xlDatabase, 1) are taken; else 1004.
  std::shared_ptr<PivotCache> Create(const Variant& source_type, const Variant& source_data);

 private:
  std::shared_ptr<Workbook> book_;
};

class PivotCache : public Dispatch {
 public:
  PivotCache(std::shared_ptr<Workbook> book, SheetHandle source_sheet, model::RangeRef source);
  std::u16string type_name() const override { return u"PivotCache"; }
  // An empty table named `name` ("피벗 테이블1" and so on when omitted) at `destination` (a Range
  // or a reference text; an empty text puts it at A3 of a new sheet before the active one).
  // Raises 1004 for a name in use on the sheet or a source the cache cannot be made of.
  std::shared_ptr<PivotTable> CreatePivotTable(const Variant& destination, const Variant& name);

 private:
  std::shared_ptr<Workbook> book_;
  SheetHandle source_sheet_;
  model::RangeRef source_;
};

// Worksheet.PivotTableWizard: with a source, a new empty table at `destination` (the active cell
// when omitted); without one, the sheet's first table moved to `destination`.
std::shared_ptr<PivotTable> pivot_table_wizard(Worksheet& sheet, const Variant& source_type, const Variant& source_data,
                                               const Variant& destination, const Variant& name);

}  // namespace tabrel::xl
