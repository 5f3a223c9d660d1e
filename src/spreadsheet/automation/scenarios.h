#pragma once
// Worksheet.Scenarios: the what-if scenarios a sheet keeps (changing cells and their values).
// Adding one stores its records; the sheet's cells do not change until it is shown.

#include <memory>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Range;
class Scenario;

class Scenarios : public Dispatch {
 public:
  explicit Scenarios(SheetHandle sheet);
  std::u16string type_name() const override { return u"Scenarios"; }
  int Count() const;
  std::shared_ptr<Scenario> Item(const Variant& index) const;  // by position (1-based) or name
  // Values: an array with one value per changing cell, or omitted for the cells' current
  // values. 1004 for a name in use, more than 32 cells or values that do not match them.
  std::shared_ptr<Scenario> Add(const Variant& name, const Range& changing_cells, const Variant& values,
                                const Variant& comment, const Variant& locked, const Variant& hidden);

 private:
  SheetHandle sheet_;
};

class Scenario : public Dispatch {
 public:
  Scenario(SheetHandle sheet, size_t index);
  std::u16string type_name() const override { return u"Scenario"; }
  std::u16string Name() const;
  std::u16string Comment() const;
  std::shared_ptr<Range> ChangingCells() const;  // the block of the changing cells
  Variant Values(const Variant& index) const;    // one value (1-based), as text
  // Puts the scenario's values into its changing cells.
  void Show() const;

 private:
  SheetHandle sheet_;
  size_t index_;
};

}  // namespace tabrel::xl
