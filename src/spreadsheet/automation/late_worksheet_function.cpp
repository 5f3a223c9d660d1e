// Late-bound members of WorksheetFunction and the application's way to it.

#include <string>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/late_table.h"
#include "spreadsheet/automation/worksheet_function.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl::late {

void define_worksheet_function(Tables& tables) {
  Def<Application>(tables).get(u"WorksheetFunction", {}, [](Application& a, const Args&) {
    return object(std::make_shared<WorksheetFunction>(a.GetApplication()));
  });
  std::vector<std::u16string> params;
  for (int i = 1; i <= 30; ++i) params.push_back(u"Arg" + from_utf8(std::to_string(i)));
  Def<WorksheetFunction> def(tables);
  for (std::u16string_view name : WorksheetFunction::names())
    def.get(name, params, [name](WorksheetFunction& f, const Args& x) { return f.Call(name, x); });
}

}  // namespace tabrel::xl::late
