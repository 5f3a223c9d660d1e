#pragma once
// The four object variables the inspection procedures read: the two spreadsheet instances and
// the worksheet under inspection in each. The paper graders create and switch them; the
// procedures only read them.

#include <memory>

#include "grading/excel_objects.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/run_time_errors.h"

namespace tabrel::inspect {

using ExcelObjects = grading::ExcelObjects;

// The active cell of an instance, which the range procedures read after the walk selected it.
inline std::shared_ptr<xl::Range> active_cell(const std::shared_ptr<xl::Application>& app) {
  return required(deref(app).ActiveCell());
}

}  // namespace tabrel::inspect
