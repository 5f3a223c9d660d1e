#pragma once
// The dispatch table: full paper names, in the order the grading request compares them, each
// with the grader that grades it. A paper whose grader is not built is absent from the table.

#include <functional>
#include <string>
#include <vector>

namespace tabrel::shell {

class Shell;

// A paper's `GradePaper`: it grades the target named in the main window's Text2 through the
// shell it is given (controls, deductions, verdict, answer path, the four object variables).
using PaperGrader = std::function<void(Shell&)>;

struct DispatchEntry {
  std::u16string paper_name;
  PaperGrader grader;
};

using DispatchTable = std::vector<DispatchEntry>;

// The table of the built program: the built-in papers whose graders exist, in comparison order.
DispatchTable BuiltInDispatchTable();

}  // namespace tabrel::shell
