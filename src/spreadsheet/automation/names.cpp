#include "spreadsheet/automation/names.h"

#include <algorithm>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
std::u16string name_caption(const model::Workbook& wb, const model::DefinedName& name) {
  if (name.sheet_scope == 0 || name.sheet_scope > wb.sheets.size()) return name.name;
  return wb.sheets[name.sheet_scope - 1u]->name + u"!" + name.name;
}

Names::Names(std::shared_ptr<Application> app, std::shared_ptr<Book> book)
    : app_(std::move(app)), book_(std::move(book)) {}

int Names::Count() const { return static_cast<int>(open_workbook(*app_, *book_).names.size()); }

std::shared_ptr<DefinedName> Names::Item(const Variant& index) const {
  model::Workbook& wb = open_workbook(*app_, *book_);
  const ItemKey key = item_key(index);
  if (key.number) {
    if (*key.number < 1 || static_cast<size_t>(*key.number) > wb.names.size()) raise(Fault::InvalidArgument);
    return std::make_shared<DefinedName>(app_, book_, wb.names[static_cast<size_t>(*key.number - 1)]);
  }
  for (const auto& n : wb.names) {
    if (equals_ignore_case(name_caption(wb, n), key.name)) return std::make_shared<DefinedName>(app_, book_, n);
  }
  for (const auto& n : wb.names) {
    if (n.sheet_scope == 0 && equals_ignore_case(n.name, key.name)) return std::make_shared<DefinedName>(app_, book_, n);
  }
  raise(Fault::InvalidArgument);
}

DefinedName::DefinedName(std::shared_ptr<Application> app, std::shared_ptr<Book> book, const model::DefinedName& name)
    : app_(std::move(app)), book_(std::move(book)), name_(name.name), scope_(name.sheet_scope) {}

const model::DefinedName& DefinedName::get() const {
  const model::Workbook& wb = open_workbook(*app_, *book_);
  auto it = std::find_if(wb.names.begin(), wb.names.end(),
                         [&](const model::DefinedName& n) { return n.sheet_scope == scope_ && n.name == name_; });
  if (it == wb.names.end()) raise(Fault::ObjectDeleted);
  return *it;
}

std::u16string DefinedName::Name() const { return name_caption(*book_->model, get()); }
std::u16string DefinedName::RefersTo() const { return name_formula(*book_->model, get(), Notation::A1); }
std::u16string DefinedName::RefersToR1C1() const { return name_formula(*book_->model, get(), Notation::R1C1); }
bool DefinedName::Visible() const { return !get().hidden(); }

void DefinedName::Delete() {
  get();
  std::erase_if(book_->model->names,
                [&](const model::DefinedName& n) { return n.sheet_scope == scope_ && n.name == name_; });
}

}  // namespace tabrel::xl
