#include "spreadsheet/automation/worksheet.h"

#include "spreadsheet/automation/errors.h"

namespace tabrel::xl {

Worksheet::Worksheet(SheetHandle handle) : handle_(std::move(handle)) {}

std::u16string Worksheet::type_name() const {
  return handle_.get().kind == model::SheetKind::ChartSheet ? u"Chart" : u"Worksheet";
}

std::shared_ptr<xl::Application> Worksheet::Application() const {
  handle_.get();
  return handle_.app;
}

std::u16string Worksheet::Name() const { return handle_.get().name; }
std::u16string Worksheet::CodeName() const { return handle_.get().code_name; }
int Worksheet::Index() const { return handle_.index() + 1; }

}  // namespace tabrel::xl
