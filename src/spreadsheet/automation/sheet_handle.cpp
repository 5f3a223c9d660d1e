#include "spreadsheet/automation/sheet_handle.h"

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/session.h"

namespace tabrel::xl {

model::Workbook& SheetHandle::workbook() const {
  app->session();
  if (!book || !book->open) raise(Fault::ObjectDeleted);
  return *book->model;
}

model::Sheet& SheetHandle::get() const {
  model::Workbook& wb = workbook();
  int i = wb.sheet_index(sheet);
  if (i < 0) raise(Fault::ObjectDeleted);
  return *wb.sheets[static_cast<size_t>(i)];
}

int SheetHandle::index() const {
  model::Workbook& wb = workbook();
  int i = wb.sheet_index(sheet);
  if (i < 0) raise(Fault::ObjectDeleted);
  return i;
}

}  // namespace tabrel::xl
