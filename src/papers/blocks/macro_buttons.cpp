#include "papers/blocks/macro_buttons.h"

#include <utility>

#include "inspect/macro_buttons.h"
#include "inspect/macro_runs.h"

namespace tabrel::papers {

using namespace inspect;

Preparation clear_target(const char16_t* first, const char16_t* last) {
  return [first, last](grading::ExcelObjects& x) { ClearRangeContents(x, first, last, 0); };
}

Preparation reset_for_macro(const char16_t* first, const char16_t* last) {
  return [first, last](grading::ExcelObjects& x) { ResetRangeForMacro(x, first, last); };
}

namespace {

struct OneMacro {
  const std::u16string& name;
  int m;  // the macro's column of MacroButtonIndex
  const Test& result;
  const std::vector<TargetButtonTest>& extra;
  Message missing_button;
  const char16_t* wrong_buttons;
};

// Every comparison is made, in order, before the group answers.
bool buttons_alike(grading::ExcelObjects& x, int16_t answer, int16_t target, const std::vector<TargetButtonTest>& extra) {
  bool alike = CompareShapeText(x, answer, target);
  alike = CompareButtonMacro(x, answer, target) && alike;
  alike = CompareShapePlacement(x, answer, target) && alike;
  alike = CompareShapeType(x, answer, target) && alike;
  for (TargetButtonTest t : extra) alike = t(x, target) && alike;
  return alike;
}

void grade_macro(ProblemRun& run, const OneMacro& macro, float points) {
  const auto& index = run.host().MacroButtonIndex();
  const int16_t answer = index[0][static_cast<size_t>(macro.m)];
  const int16_t target = index[1][static_cast<size_t>(macro.m)];
  const std::u16string name = macro.name;
  chain({
      {[target](grading::ExcelObjects& x) { return Outcome{!HasTargetShape(x, target), {}}; }, points,
       macro.missing_button},
      {[name](grading::ExcelObjects& x) {
         const bool in_answer = RunWorkbookMacro(x, name, 1);
         const bool in_target = RunWorkbookMacro(x, name, 0);
         return Outcome{!(in_answer && in_target), {}};
       },
       points, literal(name + kNoMacroText)},
      {macro.result, points, literal(name + kWrongMacroResultText)},
      {[answer, target, &extra = macro.extra](grading::ExcelObjects& x) {
         return Outcome{!buttons_alike(x, answer, target, extra), {}};
       },
       points, literal(name + macro.wrong_buttons)},
  })(run);
}

}  // namespace

Step macro_buttons(MacroBlock block) {
  return [block = std::move(block)](ProblemRun& run) {
    grading::ExcelObjects& x = run.excel();
    const auto prepare = [&](const std::vector<Preparation>& calls) {
      for (const Preparation& p : calls) p(x);
    };
    const auto look_up = [&] {
      auto& index = run.host().MacroButtonIndex();
      index[0][0] = FindMacroButton(x, block.first_macro, 0);
      index[0][1] = FindMacroButton(x, block.second_macro, 0);
      index[1][0] = FindMacroButton(x, block.first_macro, 1);
      index[1][1] = FindMacroButton(x, block.second_macro, 1);
    };
    if (block.lookup_before_preparation) {
      look_up();
      prepare(block.preparation);
    } else {
      prepare(block.preparation);
      look_up();
    }
    grade_macro(run,
                {block.first_macro, 0, block.first_result, block.first_button_extra, literal(kNoMacroButtonText),
                 kWrongFirstButtonText},
                block.points);
    prepare(block.between_macros);
    grade_macro(run,
                {block.second_macro, 1, block.second_result, block.second_button_extra,
                 literal(block.second_macro + kNoMacroText), kWrongSecondButtonText},
                block.points);
  };
}

}  // namespace tabrel::papers
