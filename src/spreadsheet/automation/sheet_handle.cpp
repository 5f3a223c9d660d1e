#include "spreadsheet/automation/sheet_handle.h"

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/session.h"

namespace tabrel::xl {

model::Workbook& open_workbook(Application& app, Book& book) {
  app.session();
  if (!book.open) raise(Fault::ObjectDeleted);
  return *book.model;
}

model::Workbook& SheetHandle::workbook() const {
  if (!book) raise(Fault::ObjectDeleted);
  return open_workbook(*app, *book);
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
