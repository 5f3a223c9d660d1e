#include "spreadsheet/macro/runner.h"

#include <algorithm>
#include <chrono>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"

namespace tabrel::macro {
namespace {

// The code modules a macro may be run from: plain modules and the workbook's and sheets'
// modules. Class and form modules hold no macros of their own.
std::vector<SourceModule> sources_of(const model::Workbook& wb) {
  std::vector<SourceModule> out;
  if (!wb.macro_project) return out;
  for (const auto& m : wb.macro_project->modules) {
    if (m.kind == model::MacroModule::Kind::Class || m.kind == model::MacroModule::Kind::Form) continue;
    out.push_back(SourceModule{m.name, m.source, m.kind == model::MacroModule::Kind::Document});
  }
  return out;
}

// The workbooks to look in: the one the name gives, else the active one and then the others in
// opening order.
std::vector<std::shared_ptr<xl::Book>> candidates(xl::Application& app, const std::u16string& name) {
  const auto& session = app.session();
  std::vector<std::shared_ptr<xl::Book>> out;
  const std::u16string book = workbook_part(name);
  if (!book.empty()) {
    for (const auto& b : session.books)
      if (b->open && equals_ignore_case(b->name, book)) out.push_back(b);
    return out;
  }
  if (session.active && session.active->open) out.push_back(session.active);
  for (const auto& b : session.books)
    if (b->open && b != session.active) out.push_back(b);
  return out;
}

// A macro may run other macros through Application.Run. Such runs nest only so deep, across
// workbooks too, and share the budget of the outermost run: they start with what is left of it
// and charge what they used to the run that started them.
struct Running {
  Interpreter* interpreter = nullptr;
  std::chrono::steady_clock::time_point deadline;
  int depth = 0;
};
thread_local Running running;

Limits remaining(const Limits& limits) {
  Limits left = limits;
  if (!running.interpreter) return left;
  const uint64_t used = running.interpreter->log().statements;
  left.statements = used < limits.statements ? limits.statements - used : 0;
  const std::chrono::duration<double> time_left = running.deadline - std::chrono::steady_clock::now();
  left.seconds = std::max(0.0, time_left.count());
  return left;
}

}  // namespace

RunReport run_macro(xl::Application& app, const std::u16string& name, const Limits& limits) {
  RunReport report;
  report.macro = name;
  if (running.depth >= limits.call_depth) {
    report.found = true;
    report.failure = u"the macro runs macros too deeply";
    return report;
  }
  for (const auto& book : candidates(app, name)) {
    const Program program = compile(sources_of(*book->model));
    const auto proc = find_macro(program, name);
    if (!proc) continue;
    report.found = true;
    Interpreter interpreter(program, app.GetApplication(), remaining(limits),
                            std::make_shared<xl::Workbook>(app.GetApplication(), book));
    const Running outer = running;
    running.interpreter = &interpreter;
    ++running.depth;
    if (!outer.interpreter)
      running.deadline = std::chrono::steady_clock::now() +
                         std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                             std::chrono::duration<double>(limits.seconds));
    try {
      interpreter.call(*proc);
      report.ok = true;
    } catch (const AutomationError& e) {
      report.failure = u"error " + from_utf8(std::to_string(e.number())) + u": " + e.description();
    } catch (const RunStopped& s) {
      report.ok = !s.failure;
      if (s.failure) report.failure = s.reason;
    }
    running = outer;
    report.log = interpreter.log();
    if (outer.interpreter) outer.interpreter->charge(report.log.statements);
    return report;
  }
  report.failure = u"no public Sub of that name";
  return report;
}

void install_macro_runner(Limits limits, std::function<void(const RunReport&)> on_report) {
  xl::Application::SetMacroRunner([limits, on_report](xl::Application& app, const std::u16string& macro) {
    const RunReport report = run_macro(app, macro, limits);
    if (on_report) on_report(report);
    if (!report.found) xl::raise_macro_not_found(macro);
    if (!report.ok) xl::raise_failed(u"'" + macro + u"' 매크로를 실행하지 못했습니다. " + report.failure);
  });
}

}  // namespace tabrel::macro
