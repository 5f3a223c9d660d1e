#pragma once
// A macro project ready to run: its modules parsed and every name bound.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/macro/ast.h"

namespace tabrel::macro {

struct SourceModule {
  std::u16string name;
  std::u16string source;     // the module's text, Attribute lines included
  bool is_document = false;  // the module behind the workbook or a sheet
};

struct Program {
  std::vector<Module> modules;
};

Program compile(const std::vector<SourceModule>& sources);

struct ProcRef {
  int module = -1;
  int procedure = -1;
};

// The public Sub a Run names: "Macro1", "Module1.Macro1", and either of them after a workbook
// name and "!" ("'Book1.xls'!Macro1", "Book1.xls!Module1.Macro1"). An unqualified name is looked
// for in the plain code modules; a module-qualified one in that module. The workbook part is the
// caller's to check (see workbook_part).
std::optional<ProcRef> find_macro(const Program& program, std::u16string_view name);

// The workbook part of a macro name without its quotes ("Book1.xls" of "'Book1.xls'!Macro1"),
// empty when there is none.
std::u16string workbook_part(std::u16string_view name);

}  // namespace tabrel::macro
