#include "spreadsheet/automation/vbe.h"

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/code_module.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

std::vector<model::MacroModule>* modules_of(model::Workbook& wb) {
  if (!wb.macro_project || !wb.macro_project->readable) return nullptr;
  return &wb.macro_project->modules;
}

std::u16string project_name(const Book& book) {
  const auto& project = book.model->macro_project;
  return project ? project->name : model::MacroProject{}.name;
}

}  // namespace

model::MacroModule& open_module(Application& app, Book& book, std::u16string_view name) {
  model::Workbook& wb = open_workbook(app, book);
  model::MacroModule* m = wb.macro_project && wb.macro_project->readable ? wb.macro_project->module(name) : nullptr;
  if (!m) raise(Fault::ObjectDeleted);
  return *m;
}

VBE::VBE(std::shared_ptr<Application> app) : app_(std::move(app)) {}

std::shared_ptr<VBProjects> VBE::VBProjects() const {
  app_->session();
  return std::make_shared<xl::VBProjects>(app_);
}

VBProjects::VBProjects(std::shared_ptr<Application> app) : app_(std::move(app)) {}

int VBProjects::Count() const { return static_cast<int>(app_->session().books.size()); }

std::shared_ptr<VBProject> VBProjects::Item(const Variant& index) const {
  const auto& books = app_->session().books;
  const ItemKey key = item_key(index);
  if (key.number) {
    if (*key.number < 1 || static_cast<size_t>(*key.number) > books.size()) raise(Fault::SubscriptOutOfRange);
    return std::make_shared<VBProject>(app_, books[static_cast<size_t>(*key.number - 1)]);
  }
  for (const auto& book : books)
    if (equals_ignore_case(project_name(*book), key.name)) return std::make_shared<VBProject>(app_, book);
  raise(Fault::SubscriptOutOfRange);
}

VBProject::VBProject(std::shared_ptr<Application> app, std::shared_ptr<Book> book)
    : app_(std::move(app)), book_(std::move(book)) {}

std::shared_ptr<VBComponents> VBProject::VBComponents() const {
  open_workbook(*app_, *book_);
  return std::make_shared<xl::VBComponents>(app_, book_);
}

VBComponents::VBComponents(std::shared_ptr<Application> app, std::shared_ptr<Book> book)
    : app_(std::move(app)), book_(std::move(book)) {}

int VBComponents::Count() const {
  const auto* modules = modules_of(open_workbook(*app_, *book_));
  return modules ? static_cast<int>(modules->size()) : 0;
}

std::shared_ptr<VBComponent> VBComponents::Item(const Variant& index) const {
  const auto* modules = modules_of(open_workbook(*app_, *book_));
  const ItemKey key = item_key(index);
  if (!modules) raise(Fault::SubscriptOutOfRange);
  if (key.number) {
    if (*key.number < 1 || static_cast<size_t>(*key.number) > modules->size()) raise(Fault::SubscriptOutOfRange);
    return std::make_shared<VBComponent>(app_, book_, (*modules)[static_cast<size_t>(*key.number - 1)].name);
  }
  for (const model::MacroModule& m : *modules)
    if (equals_ignore_case(m.name, key.name)) return std::make_shared<VBComponent>(app_, book_, m.name);
  raise(Fault::SubscriptOutOfRange);
}

VBComponent::VBComponent(std::shared_ptr<Application> app, std::shared_ptr<Book> book, std::u16string name)
    : app_(std::move(app)), book_(std::move(book)), name_(std::move(name)) {}

std::u16string VBComponent::Name() const { return open_module(*app_, *book_, name_).name; }

std::shared_ptr<CodeModule> VBComponent::CodeModule() const {
  open_module(*app_, *book_, name_);
  return std::make_shared<xl::CodeModule>(app_, book_, name_);
}

}  // namespace tabrel::xl
