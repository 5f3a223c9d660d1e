#include "spreadsheet/automation/workbook.h"

#include <algorithm>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/chart_sheets.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/selection.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/worksheet.h"

namespace tabrel::xl {

Workbook::Workbook(std::shared_ptr<xl::Application> app, std::shared_ptr<Book> book)
    : app_(std::move(app)), book_(std::move(book)) {}

model::Workbook& Workbook::model() const { return open_workbook(*app_, *book_); }

std::shared_ptr<xl::Application> Workbook::Application() const {
  model();
  return app_;
}

std::u16string Workbook::Name() const {
  model();
  return book_->name;
}

std::u16string Workbook::FullName() const {
  model();
  return book_->full_name;
}

bool Workbook::ReadOnly() const {
  model();
  return book_->read_only;
}

std::shared_ptr<xl::Charts> Workbook::Charts() const {
  model();
  return std::make_shared<xl::Charts>(app_, book_);
}

std::shared_ptr<xl::Sheets> Workbook::Sheets() const {
  model();
  return std::make_shared<xl::Sheets>(app_, book_, false);
}

std::shared_ptr<Worksheet> Workbook::Sheets(const Variant& index) const { return Sheets()->Item(index); }

std::shared_ptr<xl::Sheets> Workbook::Worksheets() const {
  model();
  return std::make_shared<xl::Sheets>(app_, book_, true);
}

std::shared_ptr<Worksheet> Workbook::Worksheets(const Variant& index) const { return Worksheets()->Item(index); }

std::shared_ptr<Worksheet> Workbook::ActiveSheet() const {
  model::Sheet* sheet = active_sheet(model());
  if (!sheet) return nullptr;
  return std::make_shared<Worksheet>(SheetHandle{app_, book_, sheet});
}

std::shared_ptr<xl::Names> Workbook::Names() const {
  model();
  return std::make_shared<xl::Names>(app_, book_);
}

void Workbook::Activate() {
  model();
  app_->session().active = book_;
}

void Workbook::Close(const Variant&) {
  model();
  Session& session = app_->session();
  book_->open = false;
  std::erase(session.books, book_);
  if (session.active == book_) session.active = session.books.empty() ? nullptr : session.books.back();
}

}  // namespace tabrel::xl
