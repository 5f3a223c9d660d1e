#pragma once
// The Sheets collection (every sheet, chart sheets and hidden ones included) and the
// Worksheets collection (worksheets only) of a workbook.

#include <memory>
#include <string>

#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

class Application;
class Worksheet;
struct Book;

class Sheets : public Dispatch {
 public:
  Sheets(std::shared_ptr<Application> app, std::shared_ptr<Book> book, bool worksheets_only);
  std::u16string type_name() const override { return u"Sheets"; }

  int Count() const;
  // By position (1-based) or by name (letter case ignored); a missing item raises 9.
  std::shared_ptr<Worksheet> Item(const Variant& index) const;
  // Adds `count` blank worksheets before `before`, after `after`, or (neither given) before
  // the active sheet; the last one added becomes the active sheet and is returned.
  std::shared_ptr<Worksheet> Add(const Variant& before = {}, const Variant& after = {}, const Variant& count = {});

 private:
  std::shared_ptr<Application> app_;
  std::shared_ptr<Book> book_;
  bool worksheets_only_;
};

}  // namespace tabrel::xl
