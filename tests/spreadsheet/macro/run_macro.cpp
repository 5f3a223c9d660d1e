#include "run_macro.h"

#include <gtest/gtest.h>

#include "../automation/fixture.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"

namespace tabrel::macro::testing {

std::shared_ptr<xl::Application> sample_instance() {
  return xl::testing::open_in_new_instance(xl::testing::sample_workbook()).app;
}

Outcome run(const std::shared_ptr<xl::Application>& app, std::u16string_view source, std::u16string_view macro,
            const Limits& limits) {
  const Program program = compile({SourceModule{u"Module1", std::u16string(source), false}});
  Outcome out;
  Interpreter interpreter(program, app, limits);
  interpreter.set_clock([] { return 46000.5; });
  const auto proc = find_macro(program, macro);
  if (!proc) {
    out.reason = u"no such macro";
    return out;
  }
  try {
    out.result = interpreter.call(*proc);
    out.ok = true;
  } catch (const AutomationError& e) {
    out.error = e.number();
    out.reason = e.description();
  } catch (const RunStopped& s) {
    out.ok = !s.failure;
    out.stopped = s.failure;
    out.reason = s.reason;
  }
  out.log = interpreter.log();
  return out;
}

Outcome call_function(std::u16string_view source, const Limits& limits) {
  const Program program = compile({SourceModule{u"Module1", std::u16string(source), false}});
  Outcome out;
  Interpreter interpreter(program, sample_instance(), limits);
  interpreter.set_clock([] { return 46000.5; });
  ProcRef f;
  const auto& procs = program.modules[0].procedures;
  for (size_t i = 0; i < procs.size(); ++i)
    if (procs[i].name == u"F") f = ProcRef{0, static_cast<int>(i)};
  if (f.module < 0) {
    out.reason = u"no Function F";
    return out;
  }
  try {
    out.result = interpreter.call(f);
    out.ok = true;
  } catch (const AutomationError& e) {
    out.error = e.number();
    out.reason = e.description();
  } catch (const RunStopped& s) {
    out.ok = !s.failure;
    out.stopped = s.failure;
    out.reason = s.reason;
  }
  out.log = interpreter.log();
  return out;
}

Outcome function_result(std::u16string_view body, const Limits& limits) {
  return call_function(u"Function F()\r\n" + std::u16string(body) + u"\r\nEnd Function\r\n", limits);
}

std::shared_ptr<xl::Range> at(xl::Application& app, const char16_t* address) { return app.Range(Variant(address)); }

std::string shown(xl::Application& app, const char16_t* cell) {
  return to_utf8(app.Range(Variant(cell))->Text().to_string());
}

void expect_ran(const Outcome& out) {
  EXPECT_TRUE(out.ok) << out.error << " " << to_utf8(out.reason);
  EXPECT_TRUE(out.log.unsupported.empty()) << to_utf8(out.log.unsupported.empty() ? u"" : out.log.unsupported[0]);
}

}  // namespace tabrel::macro::testing
