#pragma once
// The language of a paper's check tables. A problem is a list of steps run in order; a step is
// a sheet switch, a block, or a chain of checks. A check joins a test (a cell-list or yes/no
// procedure of the inspection library with its literal arguments and its sense) to the points
// it costs and the message of its row:
//
//   chain({{cells(GetWrongMergeCells, u"A1", u"G1"), 2, after_cell(u"셀 병합이 틀립니다.")},
//          {cells(GetWrongBoldCells, u"A1", u"G1"), 2, after_cell(u"셀의 글꼴 굵기가 틀립니다.")}})
//
// A chain tries its checks in order and records one row for the first that fails; a lone check
// is a chain of one. `all_of` evaluates every test of a group and fails when any fails.

#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "grading/excel_objects.h"
#include "papers/frame/problem_run.h"

namespace tabrel::papers {

// What a test found: whether it fails and, for a cell list, the first listed cell.
struct Outcome {
  bool failed = false;
  std::u16string cell;
};

using Test = std::function<Outcome(grading::ExcelObjects&)>;

// The outcome of a cell list: it fails when its count (item 0) is not 0.
Outcome cell_list_outcome(const std::u16string& cell_list);

// An argument as a test keeps it: texts are copied, so a test never points into a caller's
// array that is gone by the time the test runs.
template <class Arg>
auto kept(Arg arg) {
  if constexpr (std::is_convertible_v<Arg, const char16_t*>) {
    return std::u16string(arg);
  } else {
    return arg;
  }
}

// A cell-list procedure called with its literal arguments.
template <class Procedure, class... Args>
Test cells(Procedure procedure, Args... args) {
  return [procedure, ... args = kept(args)](grading::ExcelObjects& x) {
    return cell_list_outcome(procedure(x, args...));
  };
}

// A yes/no procedure that answers true for right: the check fails on false.
template <class Procedure, class... Args>
Test yes(Procedure procedure, Args... args) {
  return [procedure, ... args = kept(args)](grading::ExcelObjects& x) { return Outcome{!procedure(x, args...), {}}; };
}

// A yes/no procedure that answers true for wrong or missing: the check fails on true.
template <class Procedure, class... Args>
Test no(Procedure procedure, Args... args) {
  return [procedure, ... args = kept(args)](grading::ExcelObjects& x) {
    return Outcome{static_cast<bool>(procedure(x, args...)), {}};
  };
}

// Every test evaluated in order; fails when any fails.
Test all_of(std::vector<Test> tests);
// The tests evaluated in order up to the first that fails, whose outcome it gives.
Test in_turn(std::vector<Test> tests);

struct Message {
  std::u16string text;
  bool after_cell = false;  // the first listed cell goes in front of the text
};

inline Message after_cell(std::u16string text) { return {std::move(text), true}; }
inline Message literal(std::u16string text) { return {std::move(text), false}; }

// An amount worked out as the procedure does: a single-precision division.
inline float per(float points, float items) { return points / items; }

struct Check {
  Test test;
  float points = 0;
  Message message;
};

using Step = std::function<void(ProblemRun&)>;

Step chain(std::vector<Check> checks);
inline Step check(Check c) { return chain({std::move(c)}); }
// The sheets at `position` of the answer's worksheets and the target's sheet of its name.
Step switch_sheets(int position);
// The same switch as a member of a chain: it happens only when every check before it passed,
// and the checks after it read the new sheets. It never fails.
Check switch_within_chain(int position);

// The grader's own read of the two sheets under inspection: they stand at the same position
// among all the sheets of their workbooks (`Index`, chart sheets counted). Fails on a
// difference; a sheet that cannot be read raises.
Test same_sheet_position();

// Runs a check's test and, when it fails, records its row. Returns whether it failed.
bool run_check(ProblemRun& run, const Check& c);

using Problem = std::vector<Step>;

}  // namespace tabrel::papers
