#pragma once
// Application.Run through the interpreter: finds a public Sub in the code modules of the
// instance's workbooks and runs it. A missing macro or one that fails raises 1004 as the
// spreadsheet does; what the macro did before it failed stays in the workbook.

#include <functional>
#include <string>

#include "spreadsheet/macro/interpreter.h"
#include "spreadsheet/macro/limits.h"

namespace tabrel::xl {
class Application;
}

namespace tabrel::macro {

struct RunReport {
  std::u16string macro;
  bool found = false;
  bool ok = false;
  std::u16string failure;  // why the run failed: the macro's error, a refusal or a limit
  RunLog log;
};

// Runs the macro named as Application.Run names it ("Macro1", "Module1.Macro1",
// "'Book1.xls'!Macro1") and reports; it never raises.
RunReport run_macro(xl::Application& app, const std::u16string& name, const Limits& limits = {});

// Makes Application.Run of every instance run macros through the interpreter. `on_report`, when
// given, sees the report of every run (for logs and coverage counts). Programs that run macros
// call this once at start.
void install_macro_runner(Limits limits = {}, std::function<void(const RunReport&)> on_report = {});

}  // namespace tabrel::macro
