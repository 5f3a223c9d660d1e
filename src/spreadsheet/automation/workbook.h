#pragma once
// One open workbook of an instance. Closing it never saves; the object then raises.

#include <memory>
#include <string>

#include "spreadsheet/core/variant.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::xl {

class Application;
class Sheets;
class Worksheet;
class Names;
class Charts;
struct Book;

class Workbook : public Dispatch {
 public:
  Workbook(std::shared_ptr<xl::Application> app, std::shared_ptr<Book> book);
  std::u16string type_name() const override { return u"Workbook"; }

  std::shared_ptr<xl::Application> Application() const;
  std::u16string Name() const;
  std::u16string FullName() const;
  bool ReadOnly() const;

  std::shared_ptr<xl::Sheets> Sheets() const;
  std::shared_ptr<Worksheet> Sheets(const Variant& index) const;
  std::shared_ptr<xl::Sheets> Worksheets() const;
  std::shared_ptr<Worksheet> Worksheets(const Variant& index) const;
  std::shared_ptr<Worksheet> ActiveSheet() const;
  std::shared_ptr<xl::Names> Names() const;
  std::shared_ptr<xl::Charts> Charts() const;  // its chart sheets

  void Activate();
  // Closes without saving, whatever SaveChanges says: the file on disk is never written.
  void Close(const Variant& save_changes = {});

  const std::shared_ptr<Book>& book() const { return book_; }
  model::Workbook& model() const;  // raises when closed

 private:
  std::shared_ptr<xl::Application> app_;
  std::shared_ptr<Book> book_;
};

}  // namespace tabrel::xl
