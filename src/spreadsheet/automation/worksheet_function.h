#pragma once
// Application.WorksheetFunction: the worksheet's built-in functions called from a macro with
// ranges, arrays and plain values as arguments, computed by the workbook's own engine.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Application;

class WorksheetFunction : public Dispatch {
 public:
  explicit WorksheetFunction(std::shared_ptr<Application> app) : app_(std::move(app)) {}
  std::u16string type_name() const override { return u"WorksheetFunction"; }

  // The functions the object offers, by their English names.
  static const std::vector<std::u16string_view>& names();

  // Calls function `name` on `args` (trailing omitted ones dropped). A range passes as a
  // reference and must lie on the sheet of the first range given (or the active sheet); an
  // array passes as an array constant. An error value as the result raises 1004, as it does in
  // the spreadsheet.
  Variant Call(std::u16string_view name, std::vector<Variant> args) const;

 private:
  std::shared_ptr<Application> app_;
};

}  // namespace tabrel::xl
