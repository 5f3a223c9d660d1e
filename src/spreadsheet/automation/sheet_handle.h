#pragma once
// How automation objects reach a sheet of the model: through the instance that opened its
// workbook. Every access checks that the instance, the workbook and the sheet still exist.

#include <memory>

#include "spreadsheet/model/sheet.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::xl {

class Application;
struct Book;

// The model of an open workbook; raises when the instance quit or the workbook was closed.
model::Workbook& open_workbook(Application& app, Book& book);

struct SheetHandle {
  std::shared_ptr<Application> app;
  std::shared_ptr<Book> book;
  const model::Sheet* sheet = nullptr;  // identity; kept alive by the book after deletion

  // The live sheet; raises when the instance quit, the workbook closed or the sheet was deleted.
  model::Sheet& get() const;
  model::Workbook& workbook() const;
  int index() const;  // 0-based position in the workbook
  bool operator==(const SheetHandle& o) const { return book == o.book && sheet == o.sheet; }
};

}  // namespace tabrel::xl
