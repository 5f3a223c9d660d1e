#pragma once
// The four object variables the inspection procedures read: the two spreadsheet instances and
// the worksheet under inspection in each. The paper graders create and switch them; the
// procedures only read them.

#include <memory>

#include "grading/excel_objects.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"

namespace tabrel::inspect {

using ExcelObjects = grading::ExcelObjects;

// The object behind a variable; an unset variable (Nothing) raises "object variable not set".
// The reference lives as long as the pointer it came from: use it within one expression.
template <class T>
T& use(const std::shared_ptr<T>& object) {
  if (!object) xl::raise(xl::Fault::ObjectNotSet);
  return *object;
}

// The pointer itself, checked as use() checks it, for objects kept beyond one expression.
template <class T>
std::shared_ptr<T> required(std::shared_ptr<T> object) {
  if (!object) xl::raise(xl::Fault::ObjectNotSet);
  return object;
}

// The active cell of an instance, which the range procedures read after the walk selected it.
inline std::shared_ptr<xl::Range> active_cell(const std::shared_ptr<xl::Application>& app) {
  return required(use(app).ActiveCell());
}

}  // namespace tabrel::inspect
