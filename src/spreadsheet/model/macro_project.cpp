#include "spreadsheet/model/macro_project.h"

#include "spreadsheet/core/text.h"

namespace tabrel::model {

MacroModule* MacroProject::module(std::u16string_view module_name) {
  for (MacroModule& m : modules)
    if (equals_ignore_case(m.name, module_name)) return &m;
  return nullptr;
}

const MacroModule* MacroProject::module(std::u16string_view module_name) const {
  return const_cast<MacroProject*>(this)->module(module_name);
}

}  // namespace tabrel::model
