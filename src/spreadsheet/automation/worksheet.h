#pragma once
// A sheet of a workbook as the Sheets and Worksheets collections hand it out. It stays valid
// after the sheet is deleted or its workbook closed, and then raises on every member.

#include <memory>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Application;
class Workbook;
class Range;
class Comments;
class Shapes;
class AutoFilter;
class ChartArea;
class PivotTables;
class PivotTable;
class ChartObjects;
class Chart;

class Worksheet : public Dispatch, public std::enable_shared_from_this<Worksheet> {
 public:
  explicit Worksheet(SheetHandle handle);

  // "Worksheet" or "Chart" by the sheet's kind.
  std::u16string type_name() const override;

  std::shared_ptr<xl::Application> Application() const;
  std::shared_ptr<Workbook> Parent() const;

  std::u16string Name() const;
  // Renames with the spreadsheet's rules (length 1..31, no : \ / ? * [ ], unique ignoring case).
  void SetName(const std::u16string& name);
  std::u16string CodeName() const;
  int Index() const;  // 1-based position in Sheets
  // -4167 worksheet; a chart sheet answers its chart's type number (3 for a column chart).
  int Type() const;
  // -1 visible, 0 hidden, 2 very hidden.
  int Visible() const;
  void SetVisible(const Variant& value);

  // Makes the sheet active; Replace:=False adds it to the selected tabs.
  void Select(bool replace = true);
  void Activate();
  // Removes the sheet (the last visible sheet cannot be removed).
  void Delete();

  std::shared_ptr<xl::Range> Range(const Variant& cell1, const Variant& cell2 = {});
  std::shared_ptr<xl::Range> Cells();
  std::shared_ptr<xl::Range> Cells(const Variant& row, const Variant& column);
  std::shared_ptr<xl::Range> Rows();
  std::shared_ptr<xl::Range> Rows(const Variant& index);
  std::shared_ptr<xl::Range> Columns();
  std::shared_ptr<xl::Range> Columns(const Variant& index);
  std::shared_ptr<xl::Range> UsedRange();
  // Pastes the instance's clipboard at `destination`, or at the selection of this sheet.
  void Paste(const Variant& destination = {});
  std::shared_ptr<xl::Comments> Comments();
  std::shared_ptr<xl::Shapes> Shapes();
  // The chart area of a chart sheet; a worksheet has none and raises 438.
  std::shared_ptr<xl::ChartArea> ChartArea();
  std::shared_ptr<xl::ChartObjects> ChartObjects();
  // A chart sheet as its chart, through which its chart members are read (SeriesCollection,
  // Axes, Legend ...); a worksheet raises 438.
  std::shared_ptr<xl::Chart> ChartSheet();
  // Nothing (nullptr) when the sheet has no AutoFilter.
  std::shared_ptr<xl::AutoFilter> AutoFilter();
  std::shared_ptr<xl::PivotTables> PivotTables();
  // PivotTables(i): by position (1-based) or name; 1004 when there is no such table.
  std::shared_ptr<xl::PivotTable> PivotTables(const Variant& index);

  const SheetHandle& handle() const { return handle_; }

 private:
  SheetHandle handle_;
};

}  // namespace tabrel::xl
