#include "papers/frame/check_table.h"

#include "runtime/numbers.h"
#include "runtime/split_tokens.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/run_time_errors.h"

namespace tabrel::papers {

Outcome cell_list_outcome(const std::u16string& cell_list) {
  std::vector<std::u16string> items;
  rt::SplitTokens(cell_list, items, u";");
  Outcome outcome;
  outcome.failed = items.empty() || rt::Val(items[0]) != 0;
  if (outcome.failed && items.size() > 1) outcome.cell = items[1];
  return outcome;
}

Test all_of(std::vector<Test> tests) {
  return [tests = std::move(tests)](grading::ExcelObjects& x) {
    bool failed = false;
    for (const Test& t : tests) failed = t(x).failed || failed;
    return Outcome{failed, {}};
  };
}

Test in_turn(std::vector<Test> tests) {
  return [tests = std::move(tests)](grading::ExcelObjects& x) {
    for (const Test& t : tests) {
      Outcome outcome = t(x);
      if (outcome.failed) return outcome;
    }
    return Outcome{};
  };
}

bool run_check(ProblemRun& run, const Check& c) {
  const Outcome outcome = c.test(run.excel());
  if (!outcome.failed) return false;
  run.Deduct(c.points, c.message.after_cell ? outcome.cell + c.message.text : c.message.text);
  return true;
}

Step chain(std::vector<Check> checks) {
  return [checks = std::move(checks)](ProblemRun& run) {
    for (const Check& c : checks) {
      if (run_check(run, c)) return;
    }
  };
}

Step switch_sheets(int position) {
  return [position](ProblemRun& run) { run.SwitchSheets(position); };
}

Check switch_within_chain(int position) {
  auto test = [position](grading::ExcelObjects& x) {
    SetSheets(x, position);
    return Outcome{};
  };
  return {test, 0, literal(u"")};
}

Test same_sheet_position() {
  return [](grading::ExcelObjects& x) {
    return Outcome{deref(x.AnswerSheet).Index() != deref(x.TargetSheet).Index(), {}};
  };
}

}  // namespace tabrel::papers
