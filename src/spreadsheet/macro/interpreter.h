#pragma once
// Runs the procedures of a compiled macro project against one application instance. Each run
// counts its statements and its time and stops past the limits; procedures nest only so deep.
// A member the automation objects lack raises 438 as the spreadsheet does, and the run keeps a
// list of such members so that the coverage of real macros can be measured.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "spreadsheet/core/variant.h"
#include "spreadsheet/macro/limits.h"
#include "spreadsheet/macro/program.h"

namespace tabrel::xl {
class Application;
class Workbook;
}  // namespace tabrel::xl

namespace tabrel::macro {

// What one run did beside changing the workbook.
struct RunLog {
  std::vector<std::u16string> unsupported;  // "Range.AutoFilter", "statement: GoSub 10" (each once)
  std::vector<std::u16string> messages;     // what MsgBox and InputBox would have shown
  uint64_t statements = 0;
};

// Thrown past every error handler: an End statement (not a failure), or the sandbox or a limit
// stopping the run (a failure, with the reason).
struct RunStopped {
  bool failure = true;
  std::u16string reason;
};

class Interpreter {
 public:
  Interpreter(const Program& program, std::shared_ptr<xl::Application> app, Limits limits = {},
              std::shared_ptr<xl::Workbook> this_workbook = nullptr);
  ~Interpreter();

  // Runs a procedure without arguments and gives its result (Empty for a Sub). An error the
  // macro does not handle raises AutomationError; RunStopped as above. Module variables keep
  // their values between calls.
  Variant call(ProcRef proc);

  const RunLog& log() const;
  // Counts statements that ran elsewhere on this run's behalf (a macro it started through
  // Application.Run); past the limit the run stops at its next statement.
  void charge(uint64_t statements);
  // The clock that Now, Date, Time and Timer read (a serial date-time).
  void set_clock(std::function<double()> clock);

  struct State;  // defined in run_state.h, for the interpreter's own sources

 private:
  std::unique_ptr<State> state_;
};

}  // namespace tabrel::macro
