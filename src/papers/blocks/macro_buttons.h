#pragma once
// The two macros of problem 4 with their buttons. After the paper's preparation both macros'
// buttons are looked up in the answer and the target (the host's MacroButtonIndex); then each
// macro is one chain of at most one row: its target button, its run in both instances (the
// answer's first), its result (the paper's own check) and the comparison of its two buttons.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "papers/frame/check_table.h"

namespace tabrel::papers {

// A call that prepares the ranges the macros fill.
using Preparation = std::function<void(grading::ExcelObjects&)>;
// Empties first:last of the target sheet.
Preparation clear_target(const char16_t* first, const char16_t* last);
// Strips the formats of first:last in both workbooks (after the target takes the answer's widths).
Preparation reset_for_macro(const char16_t* first, const char16_t* last);

// A further test of a button group on the target button's position (such as its adjustment).
using TargetButtonTest = bool (*)(grading::ExcelObjects&, int16_t);

struct MacroBlock {
  std::u16string first_macro{};
  std::u16string second_macro{};
  std::vector<Preparation> preparation{};
  // The four lookups come before the preparation instead of after it.
  bool lookup_before_preparation = false;
  // Calls made after the first macro's chain and before the second's.
  std::vector<Preparation> between_macros{};
  // What each macro produced, compared after both runs: fails when the target differs.
  Test first_result{};
  Test second_result{};
  float points = 5;
  // Tests added to each button group after the four comparisons.
  std::vector<TargetButtonTest> first_button_extra{};
  std::vector<TargetButtonTest> second_button_extra{};
};

inline constexpr char16_t kNoMacroButtonText[] = u"매크로 버튼이 존재하지 않습니다";
inline constexpr char16_t kNoMacroText[] = u" 매크로 기능이 없습니다";
inline constexpr char16_t kWrongMacroResultText[] = u" 매크로 기능의 결과가 틀립니다";
inline constexpr char16_t kWrongFirstButtonText[] = u" 버튼이름, 위치, 모양이 틀립니다";
inline constexpr char16_t kWrongSecondButtonText[] = u" 버튼이름, 위치 ,모양이 틀립니다";

Step macro_buttons(MacroBlock block);

}  // namespace tabrel::papers
