#pragma once
// The defined names of a workbook as the Names collection shows them.

#include <memory>
#include <string>
#include <vector>

#include "spreadsheet/core/variant.h"
#include "spreadsheet/model/workbook.h"

namespace tabrel::xl {

class Application;
struct Book;
class DefinedName;
class Range;

class Names : public Dispatch {
 public:
  // The workbook's names, or with `sheet` only the names that belong to that worksheet
  // (Worksheet.Names).
  Names(std::shared_ptr<Application> app, std::shared_ptr<Book> book, const model::Sheet* sheet = nullptr);
  std::u16string type_name() const override { return u"Names"; }

  int Count() const;
  // By position (1-based) or by name (letter case ignored; "Sheet1!x" for a sheet's own name);
  // 1004 for a position or name the collection does not hold.
  std::shared_ptr<DefinedName> Item(const Variant& index) const;
  // Defines a name of the workbook, or of the worksheet for a worksheet's collection (or
  // redefines one of the same name). `refers_to` is a formula in A1 or, with `r1c1`, in R1C1
  // notation, read from the active cell. A name that is empty, looks like a cell reference or
  // holds other than letters, digits, "_", "." and "\" raises 1004.
  std::shared_ptr<DefinedName> Add(const std::u16string& name, const std::u16string& refers_to, bool r1c1 = false);

 private:
  // The names' sheet scope of a worksheet's collection (1-based sheet position); 0 for the
  // workbook's.
  uint16_t scope(const model::Workbook& wb) const;
  std::vector<size_t> members(const model::Workbook& wb) const;
  std::shared_ptr<Application> app_;
  std::shared_ptr<Book> book_;
  const model::Sheet* sheet_;
};

// One defined name (the Name object). It finds its name again on every read by its text and
// scope, and raises once the name is gone.
class DefinedName : public Dispatch {
 public:
  DefinedName(std::shared_ptr<Application> app, std::shared_ptr<Book> book, const model::DefinedName& name);
  std::u16string type_name() const override { return u"Name"; }

  // "목표량", or "Sheet1!목표량" for a name that belongs to one sheet.
  std::u16string Name() const;
  std::u16string RefersTo() const;
  std::u16string RefersToR1C1() const;
  // The cells of a name that refers to one area of a worksheet; 1004 for any other name.
  std::shared_ptr<Range> RefersToRange() const;
  bool Visible() const;
  // Formulas that use the name show #NAME? afterwards; every other name keeps its place, so
  // nothing that refers to one of them changes.
  void Delete();

 private:
  model::DefinedName& get() const;
  std::shared_ptr<Application> app_;
  std::shared_ptr<Book> book_;
  std::u16string name_;
  uint16_t scope_;
};

// The cells of the defined name `text` as a formula on `sheet` reads it: the sheet's own name,
// else the workbook's ("Sheet1!x" names a sheet's own name). nullptr when there is no such
// name; 1004 when the name refers to anything but one area of a worksheet.
std::shared_ptr<Range> named_range(const std::shared_ptr<Application>& app, const std::shared_ptr<Book>& book,
                                   const model::Sheet& sheet, const std::u16string& text);

// Range.Name: defines `name` as the workbook's name of the cells (absolute references).
void name_cells(const Range& cells, const std::u16string& name);
// The name whose cells are exactly `cells` (1004 when none).
std::shared_ptr<DefinedName> name_of_cells(const Range& cells);

// The text by which the Names collection shows a name.
std::u16string name_caption(const model::Workbook& wb, const model::DefinedName& name);

// The order of the Names collection, as positions in the workbook's list of names (which keeps
// the file's order, because formulas refer to names by their position there). The collection
// sorts names alphabetically by the name itself, letter case ignored (lower-cased UTF-16 units
// compared one by one, so "_" comes before letters and Hangul follows its code order); names
// that read the same keep the workbook-level name first and then the sheets' own names in the
// order of their sheets. The order is the same for names read from a file and names added
// later, so two workbooks with the same names list them alike.
std::vector<size_t> names_in_collection_order(const model::Workbook& wb);

}  // namespace tabrel::xl
