// Adding modules to a workbook's macro project and code to a module.

#include "spreadsheet/automation/code_module.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/automation/vbe.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {

std::shared_ptr<VBComponent> VBComponents::Add(int type) {
  constexpr int kStandardModule = 1;
  if (type != kStandardModule) raise(Fault::InvalidArgument);
  model::Workbook& wb = open_workbook(*app_, *book_);
  if (!wb.macro_project) wb.macro_project.emplace();
  model::MacroProject& project = *wb.macro_project;
  if (!project.readable) raise(Fault::MethodFailed);
  std::u16string name;
  for (int n = 1; name.empty() || project.module(name); ++n) name = u"Module" + from_utf8(std::to_string(n));
  model::MacroModule module;
  module.name = name;
  module.source = u"Attribute VB_Name = \"" + name + u"\"\r\n";
  project.modules.push_back(std::move(module));
  return std::make_shared<VBComponent>(app_, book_, name);
}

void CodeModule::AddFromString(const std::u16string& text) {
  model::MacroModule& module = open_module(*app_, *book_, module_);
  if (!module.source.empty() && module.source.back() != u'\n') module.source += u"\r\n";
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r') continue;
    if (text[i] == u'\n') module.source += u"\r\n";
    else module.source += text[i];
  }
  if (!module.source.empty() && module.source.back() != u'\n') module.source += u"\r\n";
}

}  // namespace tabrel::xl
