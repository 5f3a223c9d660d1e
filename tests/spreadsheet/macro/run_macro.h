#pragma once
// Compiling and running macro source in the tests.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/macro/interpreter.h"

namespace tabrel::macro::testing {

struct Outcome {
  bool ok = false;
  int32_t error = 0;        // the unhandled error's number
  std::u16string reason;    // the error's description, or why the run stopped
  bool stopped = false;     // stopped by the sandbox or a limit
  RunLog log;
  Variant result;
};

// Runs procedure `macro` of a module holding `source` against `app`.
Outcome run(const std::shared_ptr<xl::Application>& app, std::u16string_view source, std::u16string_view macro,
            const Limits& limits = {});

// The value of Function F of `source`, run against a fresh instance with the sample workbook.
Outcome call_function(std::u16string_view source, const Limits& limits = {});
// The same for a Function F whose body is `body`.
Outcome function_result(std::u16string_view body, const Limits& limits = {});

// A fresh instance holding the automation tests' sample workbook.
std::shared_ptr<xl::Application> sample_instance();

// The range at an A1 address of the active sheet, and the text a cell shows, in UTF-8.
std::shared_ptr<xl::Range> at(xl::Application& app, const char16_t* address);
std::string shown(xl::Application& app, const char16_t* cell);

// Fails the test unless the run ended normally and used nothing the interpreter lacks.
void expect_ran(const Outcome& out);

}  // namespace tabrel::macro::testing
