#pragma once
// The workbooks open in one instance.

#include <filesystem>
#include <memory>
#include <string>

#include "spreadsheet/core/variant.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::xl {

class Application;
class Workbook;

class Workbooks : public Dispatch {
 public:
  explicit Workbooks(std::shared_ptr<Application> app);
  std::u16string type_name() const override { return u"Workbooks"; }

  int Count() const;
  // By position (1-based) or by file name (letter case ignored).
  std::shared_ptr<Workbook> Item(const Variant& index) const;

  // Opens a .xls file; the file is read once and never written or locked. A file that cannot
  // be opened (missing, not a workbook, an older format, a wrong password, damaged) raises 1004
  // with the reader's Korean description. The workbook becomes the active one.
  std::shared_ptr<Workbook> Open(const std::u16string& filename, const Variant& read_only = {},
                                 const Variant& password = {});

  // A workbook already in memory (built by the program) joins the instance as if opened.
  std::shared_ptr<Workbook> Adopt(std::unique_ptr<model::Workbook> workbook, std::u16string name);

 private:
  std::shared_ptr<Application> app_;
};

}  // namespace tabrel::xl
